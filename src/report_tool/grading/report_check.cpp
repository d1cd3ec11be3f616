#include "report_tool/grading/report_check.h"

#include <bit>
#include <cstdint>
#include <string>
#include <type_traits>

#include "report/report_float.h"
#include "report_tool/grading/edge_grade.h"
#include "report_tool/reading/value_text.h"
#include "rules/board_rules.h"
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
    StatsComparison(const StoredStats& stored, const PointSection& section, std::size_t edge,
                    Findings& findings)
        : stored_(stored), findings_(findings) {
        from_ = " from the " + std::to_string(section.points.size()) + " points of " +
                Quoted(PointArrayLabel(edge));
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

void CompareStats(const ParsedReport& report, std::size_t edge, Findings& findings) {
    const EdgeGrade grade = GradeEdge(report, static_cast<Edge>(edge));
    if (!grade.graded) {
        return;
    }
    const EdgeStats& computed = grade.stats;
    const StoredStats& stored = report.stats[edge];
    StatsComparison compare(stored, report.arrays[kFirstPass + edge], edge, findings);
    compare.field(StatLine::Min, "# min: ", stored.min, computed.min, WholeText);
    compare.field(StatLine::Max, "# max: ", stored.max, computed.max, WholeText);
    compare.field(StatLine::Avg, "# avg: ", stored.avg, computed.avg, FormatReportFloat);
    compare.field(StatLine::MinGap, "# min gap: ", stored.minGap, computed.minGap, WholeText);
    compare.field(StatLine::MaxGap, "# max gap: ", stored.maxGap, computed.maxGap, WholeText);
    compare.field(StatLine::AvgGap, "# avg gap: ", stored.avgGap, computed.avgGap,
                  FormatReportFloat);
    compare.field(StatLine::Verdict, "", stored.verdict, *grade.verdict, VerdictLine);
}

// The along-edge values a point may take after `last`, as text for the message.
std::string AllowedStep(BoardPoint last, Travel travel) {
    const bool alongY = travel == Travel::Down || travel == Travel::Up;
    const bool growing = travel == Travel::Down || travel == Travel::Right;
    const std::int64_t from = alongY ? last.y : last.x;
    const std::int64_t low = growing ? from + 1 : from - rules::kMaxStep;
    const std::int64_t high = growing ? from + rules::kMaxStep : from - 1;
    constexpr const char* kWays[] = {"down", "right", "up", "left"};
    return std::string(alongY ? "y" : "x") + " from " + std::to_string(low) + " to " +
           std::to_string(high) + " (1 to 300 on from " + PointText(last) + ", going " +
           kWays[static_cast<int>(travel)] + ")";
}

// The steps between the points that were read are the pen's, even in a section the end of a
// cut-off file left short.
void CompareSteps(const PointSection& section, std::size_t array, Findings& findings) {
    if (section.labelLine == 0 || !section.allPointsGood()) {
        return;
    }
    const Travel travel = TravelOfSide(array % 4);
    const BoardPoint* points = section.points.begin();
    for (std::size_t i = 1; i < section.points.size(); ++i) {
        if (JudgeStepFrom(points[i - 1], points[i], travel) != StepVerdict::Accept) {
            findings.problem(section.firstPointLine + static_cast<std::int64_t>(i),
                             "expected " + AllowedStep(points[i - 1], travel) + ", found " +
                                 Quoted(PointText(points[i])));
        }
    }
}

void RegradeReport(const ParsedReport& report, Findings& findings) {
    for (std::size_t edge = 0; edge < 4; ++edge) {
        CompareStats(report, edge, findings);
    }
    for (std::size_t array = 0; array < kPointArrays; ++array) {
        CompareSteps(report.arrays[array], array, findings);
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

CheckedReport CheckReportFile(const std::filesystem::path& path,
                              const std::optional<CodePage>& serialCodePage) {
    FileSource file(path);
    if (!file.isOpen()) {
        CheckedReport checked;
        checked.report.serial = ShowText("", serialCodePage);
        checked.findings.problem(0, "expected a report file to read, found " + file.openError());
        return checked;
    }
    return CheckReport(file, serialCodePage);
}
