#include "report/report_writer.h"

#include <charconv>
#include <concepts>
#include <string_view>

#include "analysis/edge_verdict.h"
#include "report/report_float.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::array<std::string_view, 4> kEdgeNames = {"left", "bottom", "right", "top"};
// The label suffix of each pass's point sections.
constexpr std::array<std::string_view, 3> kPassSuffixes = {"", " 2", " extra"};

template <std::integral T>
void AppendNumber(std::string& out, T value) {
    std::array<char, 24> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    out.append(digits.data(), end);
}

void AppendLine(std::string& out, std::string_view text) {
    out += text;
    out += kLineEnd;
}

template <std::integral T>
void AppendNumberLine(std::string& out, std::string_view label, T value) {
    out += label;
    AppendNumber(out, value);
    out += kLineEnd;
}

std::string_view VerdictLine(EdgeVerdict verdict) {
    switch (verdict) {
        case EdgeVerdict::Passed:
            return "# passed";
        case EdgeVerdict::Correctable:
            return "# correctable";
        case EdgeVerdict::NotCorrectable:
            break;
    }
    return "# not correctable";
}

void AppendDateTime(std::string& out, const LocalDateTime& t) {
    out += "# date and time: ";
    AppendNumber(out, t.day);
    out += '/';
    AppendNumber(out, t.month);
    out += '/';
    AppendNumber(out, t.year);
    out += ' ';
    AppendNumber(out, t.hour);
    out += ':';
    AppendNumber(out, t.minute);
    out += ':';
    AppendNumber(out, t.second);
    out += kLineEnd;
}

void AppendStatsSection(std::string& out, std::string_view edgeName, const EdgeStats& stats) {
    out += "# ";
    out += edgeName;
    AppendLine(out, " stats");
    AppendNumberLine(out, "# min: ", stats.min);
    AppendNumberLine(out, "# max: ", stats.max);
    out += "# avg: ";
    AppendLine(out, FormatReportFloat(stats.avg));
    AppendNumberLine(out, "# min gap: ", stats.minGap);
    AppendNumberLine(out, "# max gap: ", stats.maxGap);
    out += "# avg gap: ";
    AppendLine(out, FormatReportFloat(stats.avgGap));
    AppendLine(out, VerdictLine(ClassifyEdge(stats)));
    out += kLineEnd;
}

// The count line and one "x,y" line per point, after the caller's label line.
void AppendPoints(std::string& out, const TracePointArray& points) {
    AppendNumber(out, points.size());
    out += kLineEnd;
    for (const BoardPoint& p : points) {
        AppendNumber(out, p.x);
        out += ',';
        AppendNumber(out, p.y);
        out += kLineEnd;
    }
}

}  // namespace

std::string FormatReport(const ReportContent& content) {
    std::string out;
    AppendLine(out, "# v1");
    out += kLineEnd;
    out += "# serial number: ";
    AppendLine(out, content.serialNumber);
    out += kLineEnd;
    AppendDateTime(out, content.writtenAt);
    out += kLineEnd;
    for (const Edge edge : kEdges) {
        const auto e = static_cast<std::size_t>(edge);
        AppendStatsSection(out, kEdgeNames[e], content.edgeStats[e]);
    }
    for (const Pass pass : kPasses) {
        for (const Edge edge : kEdges) {
            out += "# ";
            out += kEdgeNames[static_cast<std::size_t>(edge)];
            AppendLine(out, kPassSuffixes[static_cast<std::size_t>(pass)]);
            AppendPoints(out, content.tracePoints[ArrayOf(pass, edge)]);
        }
    }
    std::size_t strokeNumber = 0;
    for (const TracePointArray& stroke : content.extraStrokes) {
        AppendNumberLine(out, "# extra stroke ", strokeNumber++);
        AppendPoints(out, stroke);
    }
    return out;
}
