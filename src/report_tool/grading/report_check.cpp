#include "report_tool/grading/report_check.h"

#include <bit>
#include <cstdint>
#include <string>
#include <type_traits>

#include "report/report_float.h"
#include "report_tool/grading/edge_grade.h"
#include "report_tool/reading/value_text.h"
#include "rules/board_rules.h"
#include "analysis/edge_geometry.h"
#include "trace/travel.h"

namespace {

std::string PointText(BoardPoint p) {
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

template <typename T>
bool SameValue(T a, T b) {
    if constexpr (std::is_floating_point_v<T>) {
        return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
    } else {
        return a == b;
    }
}

class StatsComparison {
  public:
    StatsComparison(const StoredStats& stored, const PointSection& section, Edge edge,
                    Findings& findings)
        : stored_(stored), findings_(findings) {
        from_ = " from the " + std::to_string(section.points.size()) + " points of " +
                Quoted(PointArrayLabel(ArrayOf(Pass::First, edge)));
    }

    template <typename T, typename Text>
    void field(StatLine line, const char* label, const std::optional<T>& stored, T computed,
               Text text) {
        // Equal values print alike; only a difference is worth the text (which tells -0 from 0).
        if (!stored || SameValue(*stored, computed) || text(*stored) == text(computed)) {
            return;
        }
        findings_.problem(stored_.line(line), "expected " + Quoted(label + text(computed)) + from_ +
                                                  ", found " + Quoted(label + text(*stored)));
    }

  private:
    const StoredStats& stored_;
    Findings& findings_;
    std::string from_;
};

std::string WholeText(std::uint32_t v) {
    return std::to_string(v);
}

void CompareStats(const ParsedReport& report, Edge edge, Findings& findings) {
    const EdgeGrade grade = GradeEdge(report, edge);
    if (!grade.graded) {
        return;
    }
    const EdgeStats& computed = grade.stats;
    const StoredStats& stored = report.stats[static_cast<std::size_t>(edge)];
    StatsComparison compare(stored, report.section(Pass::First, edge), edge, findings);
    compare.field(StatLine::Min, "# min: ", stored.min, computed.min, WholeText);
    compare.field(StatLine::Max, "# max: ", stored.max, computed.max, WholeText);
    compare.field(StatLine::Avg, "# avg: ", stored.avg, computed.avg, FormatReportFloat);
    compare.field(StatLine::MinGap, "# min gap: ", stored.minGap, computed.minGap, WholeText);
    compare.field(StatLine::MaxGap, "# max gap: ", stored.maxGap, computed.maxGap, WholeText);
    compare.field(StatLine::AvgGap, "# avg gap: ", stored.avgGap, computed.avgGap,
                  FormatReportFloat);
    compare.field(StatLine::Verdict, "", stored.verdict, *grade.verdict, VerdictLine);
}

// The along-edge values a point may take after `last` on `edge`, as text for the message.
std::string AllowedStep(BoardPoint last, Edge edge) {
    const bool alongY = GeometryOf(edge).alongIsY;
    // The left edge is traced downwards and the bottom one rightwards, along growing values.
    const bool growing = edge == Edge::Left || edge == Edge::Bottom;
    const std::int64_t from = alongY ? last.y : last.x;
    const std::int64_t low = growing ? from + 1 : from - rules::kMaxStep;
    const std::int64_t high = growing ? from + rules::kMaxStep : from - 1;
    constexpr const char* kWays[] = {"down", "right", "up", "left"};
    return std::string(alongY ? "y" : "x") + " from " + std::to_string(low) + " to " +
           std::to_string(high) + " (1 to 300 on from " + PointText(last) + ", going " +
           kWays[static_cast<int>(edge)] + ")";
}

// The steps between the points that were read are the pen's, even in a section the end of a
// cut-off file left short.
void CompareSteps(const PointSection& section, Edge edge, Findings& findings) {
    if (section.labelLine == 0 || !section.allPointsGood()) {
        return;
    }
    const BoardPoint* points = section.points.begin();
    for (std::size_t i = 1; i < section.points.size(); ++i) {
        if (JudgeStepFrom(points[i - 1], points[i], edge) != StepVerdict::Accept) {
            findings.problem(section.firstPointLine + static_cast<std::int64_t>(i),
                             "expected " + AllowedStep(points[i - 1], edge) + ", found " +
                                 Quoted(PointText(points[i])));
        }
    }
}

void RegradeReport(const ParsedReport& report, Findings& findings) {
    for (Edge edge : kEdges) {
        CompareStats(report, edge, findings);
    }
    for (Pass pass : kPasses) {
        for (Edge edge : kEdges) {
            CompareSteps(report.section(pass, edge), edge, findings);
        }
    }
}

}  // namespace

CheckedReport CheckReport(ByteSource& source, const std::optional<CodePage>& serialCodePage) {
    CheckedReport checked = ReadReport(source, serialCodePage);
    RegradeReport(checked.report, checked.findings);
    if (source.failed()) {
        checked.findings.problem(0, "expected to read the whole file, found a read error");
    }
    return checked;
}

CheckedReport UnopenedReport(const FileSource& file,
                             const std::optional<CodePage>& serialCodePage) {
    CheckedReport checked;
    checked.report.serial = ShowText("", serialCodePage);
    checked.findings.problem(0, "expected a report file to read, found " + file.openError());
    return checked;
}

CheckedReport CheckReportFile(const std::filesystem::path& path,
                              const std::optional<CodePage>& serialCodePage) {
    FileSource file(path);
    return file.isOpen() ? CheckReport(file, serialCodePage) : UnopenedReport(file, serialCodePage);
}
