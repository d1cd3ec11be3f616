#include "report_tool/picture/picture_text.h"

#include <cmath>

#include "analysis/edge_geometry.h"
#include "report/report_float.h"
#include "report_tool/reading/report_limits.h"
#include "report_tool/reading/text_encoding.h"
#include "report_tool/reading/value_text.h"

namespace {

constexpr std::size_t kLongestLine = 150;

std::string Shortened(std::string text) {
    if (text.size() > kLongestLine) {
        text.resize(kLongestLine - 3);
        text += "...";
    }
    return text;
}

std::size_t PointsIn(const ParsedReport& report, std::size_t first, std::size_t count) {
    std::size_t total = 0;
    for (std::size_t i = first; i < first + count; ++i) {
        total += report.arrays[i].points.size();
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
    const bool secondPass = PointsIn(report, kSecondPass, 4) > 0;
    const bool internal = PointsIn(report, kInternalTrace, 4) > 0;
    line += std::string("  ·  second pass: ") + (secondPass ? "yes" : "no") +
            "  ·  internal trace: " + (internal ? "yes" : "no") +
            "  ·  free strokes: " + std::to_string(report.freeStrokes.size());
    return Shortened(line + "  ·  " + fileName);
}

std::string CheckLine(const Findings& findings) {
    if (findings.ok()) {
        return "Check: valid, every statistic and verdict agrees with the points";
    }
    std::string line = "Check: " + std::to_string(findings.problemCount()) +
                       (findings.problemCount() == 1 ? " problem" : " problems");
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

std::string ChipText(const EdgePicture& edge) {
    return EdgeName(edge.edge) + ": " + VerdictWord(edge.verdict) + " · " +
           WholeNumber(edge.coverage.percent) + "% traced";
}

std::string PanelTitle(const EdgePicture& edge) {
    std::string title = EdgeName(edge.edge) + " edge: " + VerdictWord(edge.verdict);
    if (!edge.hasPoints) {
        return title + ", no points";
    }
    return title + ", spread " + std::to_string(edge.stats.max - edge.stats.min) + " (" +
           AcrossName(edge.edge) + " " + std::to_string(edge.stats.min) + " to " +
           std::to_string(edge.stats.max) + ", mean " + FormatReportFloat(edge.stats.avg) + ")";
}

std::string PanelDetails(const EdgePicture& edge, const ParsedReport& report) {
    const auto e = static_cast<std::size_t>(edge.edge);
    const TracePointArray& first = report.arrays[kFirstPass + e].points;
    std::string details;
    if (edge.stated && *edge.stated != edge.verdict) {
        details += "the report says " + VerdictWord(*edge.stated) + " · ";
    }
    details += OneDecimal(edge.coverage.percent) + "% traced · " + std::to_string(first.size()) +
               " points";
    if (edge.start > 0) {
        details += ", counted from point " + std::to_string(edge.start + 1);
    }
    if (edge.coverage.endedByTimeOut) {
        details += " · ended by the time-out at " + AlongName(edge.edge) + " " +
                   std::to_string(AlongEdge(first.last(), edge.edge));
    }
    if (edge.secondPass) {
        const EdgeStats& s = *edge.secondPass;
        details +=
            " · second pass: " + std::to_string(report.arrays[kSecondPass + e].points.size()) +
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
    const std::size_t points = PointsIn(report, kInternalTrace, 4);
    return points == 0 ? "internal lines: none"
                       : "internal lines (" + std::to_string(points) + " points)";
}

std::string FreeStrokeLegend(const ParsedReport& report) {
    const std::size_t strokes = report.freeStrokes.size();
    return strokes == 0 ? "free strokes: none"
                        : "free strokes: " + std::to_string(strokes) + " (dot at the start)";
}

std::vector<std::string> BandExplanation() {
    return {"Each panel: the position across the edge,",
            "magnified, along the edge as it is traced;",
            "towards the bezel is up. The bands are",
            "centred on the trace: inside the inner " +
                std::to_string(report_limits::kPassedSpread) + ",",
            "it passes; inside the outer " + std::to_string(report_limits::kCorrectableSpread) +
                ", it can",
            "be corrected. Dashed grey: the pen's landing,",
            "which the statistics leave out."};
}
