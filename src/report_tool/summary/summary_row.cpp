#include "report_tool/summary/summary_row.h"

#include <algorithm>
#include <functional>
#include <tuple>

#include "report_tool/grading/edge_coverage.h"
#include "report_tool/reading/text_encoding.h"

namespace {

bool AnyPoints(const ParsedReport& report, std::size_t firstArray) {
    for (std::size_t i = firstArray; i < firstArray + 4; ++i) {
        if (!report.arrays[i].points.empty()) {
            return true;
        }
    }
    return false;
}

EdgeSummary SummarizeEdge(const ParsedReport& report, std::size_t edge) {
    const TracePointArray& points = report.arrays[kFirstPass + edge].points;
    const StoredStats& stats = report.stats[edge];
    EdgeSummary summary;
    summary.points = points.size();
    summary.verdict = stats.verdict;
    summary.coveragePercent = CoverageOf(points, static_cast<Edge>(edge)).percent;
    if (!points.empty()) {
        summary.min = stats.min;
        summary.max = stats.max;
        if (stats.min && stats.max) {
            summary.spread = *stats.max - *stats.min;
        }
    }
    return summary;
}

std::string FirstProblem(const Findings& findings) {
    if (findings.problems().empty()) {
        return {};
    }
    const Finding& first = findings.problems().front();
    return (first.line > 0 ? "line " + std::to_string(first.line) + ": " : std::string()) +
           first.text;
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
    row.serialNumber = SerialAsUtf8(report.serialNumber);
    row.serialBytes = report.serialNumber;
    row.writtenAt = report.writtenAt;
    for (std::size_t edge = 0; edge < 4; ++edge) {
        row.edges[edge] = SummarizeEdge(report, edge);
    }
    row.secondPass = AnyPoints(report, kSecondPass);
    row.internalTrace = AnyPoints(report, kInternalTrace);
    row.freeStrokes = report.freeStrokes.size();
    row.problems = checked.findings.problemCount();
    row.firstProblem = FirstProblem(checked.findings);
    return row;
}

void SortRows(std::vector<SummaryRow>& rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const SummaryRow& a, const SummaryRow& b) {
        return SortKey(a) < SortKey(b);
    });
}
