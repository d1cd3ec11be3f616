#include "report_tool/picture/picture_text.h"

#include <cmath>

#include "analysis/edge_geometry.h"
#include "report/report_float.h"
#include "report_tool/reading/report_limits.h"
#include "report_tool/reading/text_encoding.h"
#include "report_tool/reading/value_text.h"

namespace {

constexpr std::size_t kLongestLine = 160;

std::string Shortened(std::string text) {
    if (text.size() > kLongestLine) {
        text.resize(kLongestLine - 3);
        text += "...";
    }
    return text;
}

std::size_t PointsIn(const ParsedReport& report, Pass pass) {
    std::size_t total = 0;
    for (Edge edge : kEdges) {
        total += report.section(pass, edge).points.size();
    }
    return total;
}

}  // namespace

std::string AlongName(Edge edge) {
    return GeometryOf(edge).alongIsY ? "y" : "x";
}

std::string AcrossName(Edge edge) {
    return GeometryOf(edge).alongIsY ? "x" : "y";
}

std::string WholeNumber(double value) {
    return std::to_string(std::llround(value));
}

std::string SerialTitle(const ParsedReport& report) {
    if (report.serialNumber.empty()) {
        return "No serial number";
    }
    return "Serial number " + report.serial.utf8;
}

std::string WrittenLine(const ParsedReport& report, const std::string& fileName) {
    std::string line = "date and time unreadable";
    if (report.writtenAt) {
        line = "written " + IsoDateTime(*report.writtenAt);
        line[line.find('T')] = ' ';
    }
    const bool secondPass = PointsIn(report, Pass::Second) > 0;
    const bool internal = PointsIn(report, Pass::Internal) > 0;
    line += "  ·  serial in " + report.serial.codePage.name();
    line += std::string("  ·  second pass: ") + (secondPass ? "yes" : "no") +
            "  ·  internal trace: " + (internal ? "yes" : "no") +
            "  ·  free strokes: " + std::to_string(report.extraStrokes.size());
    return Shortened(line + "  ·  " + fileName);
}

std::string CheckLine(const Findings& findings) {
    const std::size_t warnings = findings.warnings().size();
    if (findings.ok()) {
        return Shortened(
            "Check: valid, every statistic and verdict agrees with the points" +
            (warnings > 0 ? "  ·  warning: " + findings.warnings().front().text : std::string()));
    }
    std::string line = "Check: " + std::to_string(findings.problemCount()) +
                       (findings.problemCount() == 1 ? " problem" : " problems");
    if (warnings > 0) {
        line += " and " + std::to_string(warnings) + (warnings == 1 ? " warning" : " warnings");
    }
    if (!findings.problems().empty()) {
        const Finding& first = findings.problems().front();
        line += ", the first " +
                (first.line > 0 ? "on line " + std::to_string(first.line) + ": " : "") + first.text;
    }
    return Shortened(line);
}

std::string EdgeName(Edge edge) {
    constexpr const char* kNames[] = {"Left", "Bottom", "Right", "Top"};
    return kNames[static_cast<int>(edge)];
}

std::string GradeWord(std::optional<EdgeVerdict> verdict) {
    return verdict ? VerdictWord(*verdict) : "not graded";
}

std::string OverallText(std::optional<EdgeVerdict> overall) {
    return overall ? "Overall: " + VerdictWord(*overall) : "Overall: not graded";
}

std::string ChipText(const EdgePicture& edge) {
    return EdgeName(edge.edge) + ": " + GradeWord(edge.grade.verdict) + " · " +
           WholeNumber(edge.coverage.percent) + "% traced";
}

std::string PanelTitle(const EdgePicture& edge, const ParsedReport& report) {
    const EdgeGrade& grade = edge.grade;
    std::string title = EdgeName(edge.edge) + " edge: " + GradeWord(grade.verdict);
    if (!grade.graded) {
        const PointSection& section = report.section(Pass::First, edge.edge);
        return title + (section.labelLine == 0 ? ", its points are not in the file"
                        : section.cutOff       ? ", the file is cut off in its points"
                                               : ", some of its point lines are damaged");
    }
    if (!edge.hasPoints) {
        return title + ", no points";
    }
    return title + ", spread " + std::to_string(grade.stats.max - grade.stats.min) + " units (" +
           AcrossName(edge.edge) + " " + std::to_string(grade.stats.min) + " to " +
           std::to_string(grade.stats.max) + ", mean " + FormatReportFloat(grade.stats.avg) + ")";
}

std::optional<std::string> ClaimText(const EdgePicture& edge) {
    const auto claim = DifferingClaim(edge.grade.verdict, edge.grade.claimed);
    return claim ? std::optional("the report says " + VerdictWord(*claim)) : std::nullopt;
}

std::string PanelDetails(const EdgePicture& edge, const ParsedReport& report) {
    const TracePointArray& first = report.section(Pass::First, edge.edge).points;
    std::string details = OneDecimal(edge.coverage.percent) + "% traced · " +
                          std::to_string(first.size()) + (first.size() == 1 ? " point" : " points");
    if (edge.grade.start > 0) {
        details += ", counted from point " + std::to_string(edge.grade.start + 1);
    }
    // Where the points stop short is the time-out's doing only when they are all there.
    if (edge.coverage.endedByTimeOut && edge.grade.graded) {
        details += " · ended by the time-out at " + AlongName(edge.edge) + " " +
                   std::to_string(AlongEdge(first.last(), edge.edge));
    }
    if (edge.secondPass) {
        const EdgeStats& s = *edge.secondPass;
        details += " · second pass: " +
                   std::to_string(report.section(Pass::Second, edge.edge).points.size()) +
                   " points";
        if (s.count > 0) {
            details += ", up to " + std::to_string(s.max) + " off, mean " + OneDecimal(s.avg);
        } else {
            details += ", none level with the first";
        }
    }
    return Shortened(details);
}

std::string UntracedLabel(const EdgePicture& edge, const Stretch& stretch) {
    return "not traced: " + AlongName(edge.edge) + " " + std::to_string(stretch.from) + " to " +
           std::to_string(stretch.to);
}

std::string InternalLegend(const ParsedReport& report) {
    const std::size_t points = PointsIn(report, Pass::Internal);
    return points == 0 ? "internal lines: none"
                       : "internal lines (" + std::to_string(points) + " points)";
}

std::string ExtraStrokeLegend(const ParsedReport& report) {
    const std::size_t strokes = report.extraStrokes.size();
    return strokes == 0 ? "free strokes: none"
                        : "free strokes: " + std::to_string(strokes) + " (dot at the start)";
}

std::vector<std::string> BandExplanation() {
    return {"Positions are board units, " + std::to_string(report_limits::kBoardExtent) + " across",
            "the board. Each panel: the position across",
            "the edge, magnified, along the edge as it is",
            "traced; towards the bezel is up. The bands",
            "are centred on the trace: inside the inner " +
                std::to_string(report_limits::kPassedSpread),
            "units it passes; inside the outer " +
                std::to_string(report_limits::kCorrectableSpread) + " units",
            "it can be corrected. Dashed grey: the pen's",
            "landing, which the statistics leave out."};
}

std::string OverviewTitle() {
    return "The board, 0 to " + std::to_string(report_limits::kBoardExtent) + " units both ways";
}
