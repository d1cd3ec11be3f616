#include "report_tool/summary/summary_row.h"

#include <algorithm>
#include <functional>
#include <tuple>

#include "report_tool/grading/edge_coverage.h"

namespace {

bool AnyPoints(const ParsedReport& report, Pass pass) {
    return std::any_of(std::begin(kEdges), std::end(kEdges),
                       [&](Edge edge) { return !report.section(pass, edge).points.empty(); });
}

EdgeSummary SummarizeEdge(const ParsedReport& report, const EdgeGrade& grade, Edge edge) {
    const TracePointArray& points = report.section(Pass::First, edge).points;
    EdgeSummary summary;
    summary.points = points.size();
    summary.verdict = grade.verdict;
    summary.claimedVerdict = grade.claimed;
    summary.coveragePercent = CoverageOf(points, edge).percent;
    if (grade.graded && grade.stats.count > 0) {
        summary.min = grade.stats.min;
        summary.max = grade.stats.max;
        summary.spread = grade.stats.max - grade.stats.min;
    }
    return summary;
}

auto SortKey(const SummaryRow& row) {
    const LocalDateTime t = row.writtenAt.value_or(LocalDateTime{});
    return std::make_tuple(std::cref(row.serialNumber), row.writtenAt.has_value(), t.year, t.month,
                           t.day, t.hour, t.minute, t.second, std::cref(row.file));
}

}  // namespace

SummaryRow SummarizeReport(std::string file, const CheckedReport& checked) {
    const ParsedReport& report = checked.report;
    SummaryRow row;
    row.file = std::move(file);
    row.serialNumber = report.serial.utf8;
    row.serialBytes = report.serialNumber;
    row.encoding = report.serial.codePage.name();
    row.writtenAt = report.writtenAt;
    const std::array<EdgeGrade, 4> grades = GradeEdges(report);
    for (Edge edge : kEdges) {
        const auto e = static_cast<std::size_t>(edge);
        row.edges[e] = SummarizeEdge(report, grades[e], edge);
    }
    row.verdict = OverallVerdict(grades);
    row.secondPass = AnyPoints(report, Pass::Second);
    row.internalTrace = AnyPoints(report, Pass::Internal);
    row.extraStrokes = report.extraStrokes.size();
    row.problems = checked.findings.problemCount();
    if (!checked.findings.problems().empty()) {
        row.firstProblem = WithLine(checked.findings.problems().front());
    }
    for (const Finding& warning : checked.findings.warnings()) {
        row.warnings.push_back(WithLine(warning));
    }
    return row;
}

void SortRows(std::vector<SummaryRow>& rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const SummaryRow& a, const SummaryRow& b) {
        return SortKey(a) < SortKey(b);
    });
}
