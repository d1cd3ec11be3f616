#include "report_tool/picture/report_page.h"

#include <string>
#include <vector>

#include "report/report_float.h"
#include "report_tool/picture/palette.h"
#include "report_tool/picture/picture_layout.h"
#include "report_tool/picture/picture_text.h"
#include "report_tool/picture/report_picture.h"
#include "report_tool/picture/svg_builder.h"
#include "report_tool/reading/report_limits.h"
#include "report_tool/reading/report_reader.h"
#include "report_tool/reading/value_text.h"

namespace {

// A colour in CSS's short form where it has one (#ffffff is #fff).
std::string Css(std::string_view hex) {
    const bool pairs = hex.size() == 7 && hex[1] == hex[2] && hex[3] == hex[4] && hex[5] == hex[6];
    return pairs ? std::string{'#', hex[1], hex[3], hex[5]} : std::string(hex);
}

}  // namespace

// The page in the picture's colours: a verdict's word and a finding in the colour of its verdict.
std::string PageStyle() {
    const std::string passed = Css(palette::ColoursOf(EdgeVerdict::Passed).strong);
    const std::string correctable = Css(palette::ColoursOf(EdgeVerdict::Correctable).strong);
    const std::string notCorrectable = Css(palette::ColoursOf(EdgeVerdict::NotCorrectable).strong);
    return "body{font-family:'DejaVu Sans',Verdana,Arial,sans-serif;margin:20px;color:" +
           Css(palette::kInk) + ";background:" + Css(palette::kBackground) +
           "}table{border-collapse:collapse;margin:12px 0 24px;background:" + Css(palette::kPaper) +
           "}th,td{border:1px solid " + Css(palette::kRule) +
           ";padding:4px 8px;text-align:right}th:first-child,td:first-child{text-align:left}"
           "th{background:" +
           Css(palette::kGrid) + "}.passed{color:" + passed + "}.correctable{color:" + correctable +
           "}.not{color:" + notCorrectable + "}li.problem{color:" + notCorrectable +
           "}li.warning{color:" + correctable + "}";
}

std::string_view VerdictClass(std::optional<EdgeVerdict> v) {
    return !v                              ? ""
           : v == EdgeVerdict::Passed      ? "passed"
           : v == EdgeVerdict::Correctable ? "correctable"
                                           : "not";
}

namespace {

std::string Cell(const std::string& text, std::string_view cssClass = "") {
    std::string cell = "<td";
    if (!cssClass.empty()) {
        cell.append(" class=\"").append(cssClass).append("\"");
    }
    return cell + ">" + XmlEscaped(text) + "</td>";
}

std::string Row(const std::vector<std::string>& headings) {
    std::string row = "<tr>";
    for (const std::string& h : headings) {
        row += "<th>" + XmlEscaped(h) + "</th>";
    }
    return row + "</tr>\n";
}

std::string Untraced(const EdgePicture& edge) {
    std::string text;
    for (const Stretch& s : edge.coverage.untraced) {
        text += (text.empty() ? "" : ", ") + std::to_string(s.from) + "–" + std::to_string(s.to);
    }
    return text.empty() ? "none" : text;
}

std::string StatsTable(const PictureLayout& layout, const ParsedReport& report) {
    std::string html = "<h2>First pass, graded from its points</h2>\n<p>" +
                       XmlEscaped(OverallText(layout.overall)) +
                       " (the worst edge). Positions and distances are board units, " +
                       std::to_string(report_limits::kBoardExtent) +
                       " across the board.</p>\n<table>\n";
    html += Row({"Edge", "Verdict", "Report says", "Min", "Max", "Spread", "Mean", "Min gap",
                 "Max gap", "Mean gap", "Points", "Counted", "Traced %", "Not traced",
                 "Second pass: max", "mean", "compared"});
    for (const EdgePicture& edge : layout.edges) {
        const EdgeGrade& grade = edge.grade;
        const EdgeStats& s = grade.stats;
        const auto claim = DifferingClaim(grade.verdict, grade.claimed);
        html += "<tr>" + Cell(EdgeName(edge.edge)) +
                Cell(GradeWord(grade.verdict), VerdictClass(grade.verdict)) +
                Cell(claim ? VerdictWord(*claim) : "", VerdictClass(claim));
        if (!grade.graded) {
            html += "<td colspan=\"7\">its points could not all be read</td>";
        } else if (edge.hasPoints) {
            html += Cell(std::to_string(s.min)) + Cell(std::to_string(s.max)) +
                    Cell(std::to_string(s.max - s.min)) + Cell(FormatReportFloat(s.avg)) +
                    Cell(std::to_string(s.minGap)) + Cell(std::to_string(s.maxGap)) +
                    Cell(FormatReportFloat(s.avgGap));
        } else {
            html += "<td colspan=\"7\">no points</td>";
        }
        html += Cell(std::to_string(report.section(Pass::First, edge.edge).points.size())) +
                Cell(std::to_string(s.count)) + Cell(OneDecimal(edge.coverage.percent)) +
                Cell(Untraced(edge));
        if (edge.secondPass) {
            html += Cell(std::to_string(edge.secondPass->max)) +
                    Cell(OneDecimal(edge.secondPass->avg)) +
                    Cell(std::to_string(edge.secondPass->count));
        } else {
            html += "<td colspan=\"3\">none</td>";
        }
        html += "</tr>\n";
    }
    return html + "</table>\n";
}

std::string SectionsTable(const ParsedReport& report) {
    std::string html = "<h2>Sections</h2>\n<table>\n" + Row({"Section", "Points", "Line"});
    for (std::size_t i = 0; i < kPointArrayCount; ++i) {
        const PointSection& s = report.arrays[i];
        html += "<tr>" + Cell(PointArrayLabel(i)) + Cell(std::to_string(s.points.size())) +
                Cell(s.labelLine ? std::to_string(s.labelLine) : "missing") + "</tr>\n";
    }
    for (std::size_t i = 0; i < report.extraStrokes.size(); ++i) {
        const PointSection& s = report.extraStrokes[i];
        html += "<tr>" + Cell(ExtraStrokeLabel(i)) + Cell(std::to_string(s.points.size())) +
                Cell(std::to_string(s.labelLine)) + "</tr>\n";
    }
    return html + "</table>\n";
}

std::string FindingsList(const Findings& findings) {
    std::string html = "<h2>Check</h2>\n<p>" + XmlEscaped(CheckLine(findings)) + "</p>\n";
    if (findings.problems().empty() && findings.warnings().empty()) {
        return html;
    }
    html += "<ul>\n";
    for (const Finding& f : findings.problems()) {
        html += "<li class=\"problem\">" + XmlEscaped(WithLine(f)) + "</li>\n";
    }
    for (const Finding& f : findings.warnings()) {
        html += "<li class=\"warning\">warning: " + XmlEscaped(WithLine(f)) + "</li>\n";
    }
    return html + "</ul>\n";
}

}  // namespace

std::string RenderReportHtml(const std::string& fileName, const CheckedReport& checked, bool debug,
                             const std::vector<PageLink>& links) {
    const PictureLayout layout = LayoutReportPicture(checked.report);
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\"/>\n";
    html += "<title>" + XmlEscaped(SerialTitle(checked.report) + " · " + fileName) + "</title>\n";
    html += "<style>" + PageStyle() + "</style>\n</head>\n<body>\n";
    if (!links.empty()) {
        html += "<p class=\"links\">";
        for (const PageLink& link : links) {
            html += (&link == &links.front() ? "" : " · ") + std::string("<a href=\"") +
                    XmlEscaped(link.href) + "\">" + XmlEscaped(link.text) + "</a>";
        }
        html += "</p>\n";
    }
    html += RenderReportSvg(fileName, checked);
    html += StatsTable(layout, checked.report);
    html += FindingsList(checked.findings);
    if (debug) {
        html += SectionsTable(checked.report);
    }
    return html + "</body>\n</html>\n";
}
