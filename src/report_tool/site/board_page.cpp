#include "report_tool/site/board_page.h"

#include "report_tool/picture/picture_text.h"
#include "report_tool/reading/report_limits.h"
#include "report_tool/reading/value_text.h"
#include "report_tool/site/html_text.h"
#include "report_tool/site/page_names.h"
#include "report_tool/site/site_rows.h"
#include "report_tool/site/spread_chart.h"

namespace {

std::string Charts(const std::vector<const SummaryRow*>& oldestFirst) {
    std::string html = "<div class=\"charts\">\n";
    for (Edge edge : kEdges) {
        html += HtmlWrap("figure", {{"class", "chart"}},
                         HtmlElement("figcaption", {}, EdgeName(edge) + " edge: spread per visit") +
                             "\n" + RenderSpreadChart(edge, oldestFirst));
        html += "\n";
    }
    return html + "</div>\n";
}

std::string EdgeCell(const EdgeSummary& edge) {
    const std::string spread =
        edge.spread ? " · " + std::to_string(*edge.spread) : std::string(" · no spread");
    return HtmlWrap("td", {{"class", VerdictKey(edge.verdict)}},
                    EdgeVerdictMarkup(edge) + XmlEscaped(spread));
}

std::string Visits(const std::vector<const SummaryRow*>& oldestFirst) {
    std::string html = "<table class=\"list\">\n<thead><tr>" + HtmlElement("th", {}, "Date") +
                       HtmlElement("th", {}, "Overall");
    for (Edge edge : kEdges) {
        html += HtmlElement("th", {}, EdgeName(edge) + ": verdict · spread");
    }
    html += HtmlElement("th", {}, "Check") + HtmlElement("th", {}, "Report") +
            "</tr></thead>\n<tbody>\n";
    for (auto it = oldestFirst.rbegin(); it != oldestFirst.rend(); ++it) {
        const SummaryRow& row = **it;
        std::string cells =
            HtmlElement("td", {}, DateText(row)) +
            HtmlElement("td", {{"class", VerdictKey(row.verdict)}}, GradeWord(row.verdict));
        for (const EdgeSummary& edge : row.edges) {
            cells += EdgeCell(edge);
        }
        const bool ok = row.problems == 0;
        cells += HtmlElement("td", {{"class", ok ? "passed" : "not"}, {"title", CheckDetail(row)}},
                             CheckText(row));
        cells += HtmlWrap(
            "td", {},
            HtmlElement("a", {{"href", "../" + ReportPageName(row.file)}, {"title", row.file}},
                        FileNameOf(row)));
        html += HtmlWrap("tr", {}, cells) + "\n";
    }
    return html + "</tbody>\n</table>\n";
}

}  // namespace

std::string RenderBoardPage(const std::vector<const SummaryRow*>& oldestFirst) {
    const SummaryRow& latest = *oldestFirst.back();
    const std::string title = "Board " + SerialText(latest);
    const std::size_t visits = oldestFirst.size();
    std::string html = SitePageStart(title, "../");
    html += HtmlWrap("p", {{"class", "links"}},
                     HtmlElement("a", {{"href", "../" + std::string(site_files::kIndex)}},
                                 "All reports")) +
            "\n" + HtmlElement("h1", {}, title) + "\n";
    html +=
        HtmlElement("p", {},
                    std::to_string(visits) + (visits == 1 ? " visit" : " visits") + ", the first " +
                        DateText(*oldestFirst.front()) + ", the last " + DateText(latest) +
                        "; its serial number read in code page " + latest.encoding + ".") +
        "\n";
    html +=
        HtmlElement("p", {{"class", "muted"}},
                    "The spread is how far a trace wandered across its edge: its largest "
                    "minus its smallest position, in board units (" +
                        WholeNumber(report_limits::kBoardExtent) + " across the board). Up to " +
                        WholeNumber(report_limits::kPassedSpread) + " the edge passed, up to " +
                        WholeNumber(report_limits::kCorrectableSpread) +
                        " it can be corrected. Verdicts are graded again from the points; "
                        "where a report claims another, it says so.") +
        "\n";
    html += Charts(oldestFirst) + "<h2>Visits</h2>\n" + Visits(oldestFirst);
    return html + SitePageEnd();
}
