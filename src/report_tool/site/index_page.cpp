#include "report_tool/site/index_page.h"

#include <array>
#include <set>

#include "report_tool/reading/value_text.h"
#include "report_tool/site/html_text.h"
#include "report_tool/site/page_names.h"
#include "report_tool/site/site_rows.h"

namespace {

constexpr std::array<const char*, 4> kEdgeNames = {"Left", "Bottom", "Right", "Top"};
constexpr std::size_t kRowBytes = 800;  // about what a row takes

std::string Counted(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string Counts(const std::vector<const SummaryRow*>& rows) {
    std::set<std::string_view> boards;
    std::size_t notCorrectable = 0;
    std::size_t failing = 0;
    for (const SummaryRow* row : rows) {
        boards.insert(row->serialBytes);
        notCorrectable += WorstVerdict(*row) == EdgeVerdict::NotCorrectable ? 1 : 0;
        failing += row->problems > 0 ? 1 : 0;
    }
    return HtmlWrap(
        "p", {{"class", "counts"}},
        HtmlElement("span", {{"id", "count-reports"}}, Counted(rows.size(), "report", "reports")) +
            HtmlElement("span", {{"id", "count-boards"}},
                        Counted(boards.size(), "board", "boards")) +
            HtmlElement(
                "span", {{"id", "count-not-correctable"}, {"class", "not"}},
                Counted(notCorrectable, "report", "reports") + " with an edge not correctable") +
            HtmlElement("span", {{"id", "count-failing"}},
                        Counted(failing, "report", "reports") + " failing the check"));
}

// The filters are of use only with the script, which shows them.
std::string Filters() {
    const auto option = [](const char* value, const char* text) {
        return HtmlElement("option", {{"value", value}}, text);
    };
    return "<form id=\"filters\" hidden=\"hidden\">" +
           HtmlWrap("label", {},
                    "Serial number <input type=\"search\" name=\"serial\" autocomplete=\"off\"/>") +
           HtmlWrap(
               "label", {},
               "Verdict " + HtmlWrap("select", {{"name", "verdict"}},
                                     option("", "any") + option("passed", "every edge passed") +
                                         option("correctable", "worst edge correctable") +
                                         option("not", "an edge not correctable"))) +
           HtmlWrap("label", {},
                    "Check " + HtmlWrap("select", {{"name", "check"}},
                                        option("", "any") + option("ok", "ok") +
                                            option("failed", "failed"))) +
           "<output id=\"shown\"></output></form>\n";
}

std::string Head() {
    std::string groups = "<tr class=\"groups\"><th colspan=\"2\"></th>";
    std::string columns =
        "<tr>" + HtmlElement("th", {}, "Serial number") + HtmlElement("th", {}, "Date");
    for (const char* edge : kEdgeNames) {
        groups += HtmlElement("th", {{"colspan", "2"}}, edge);
        columns += HtmlElement("th", {{"data-type", "number"}}, "verdict") +
                   HtmlElement("th", {{"class", "n"}, {"data-type", "number"}}, "traced %");
    }
    groups += "<th colspan=\"4\"></th></tr>\n";
    columns += HtmlElement("th", {}, "Second pass") + HtmlElement("th", {}, "Internal trace") +
               HtmlElement("th", {{"data-type", "number"}}, "Check") +
               HtmlElement("th", {}, "Report") + "</tr>\n";
    return "<thead>\n" + groups + columns + "</thead>\n";
}

void AppendEdgeCells(std::string& html, const EdgeSummary& edge) {
    // Sorted by how bad: an unreadable verdict last.
    const int rank = edge.verdict ? static_cast<int>(*edge.verdict) : 3;
    AppendElement(html, "td",
                  {{"class", VerdictKey(edge.verdict)}, {"data-key", std::to_string(rank)}},
                  edge.verdict ? VerdictWord(*edge.verdict) : "unreadable");
    AppendElement(html, "td", {{"class", "n"}}, OneDecimal(edge.coveragePercent));
}

void AppendCheckCell(std::string& html, const SummaryRow& row) {
    if (row.problems == 0) {
        AppendElement(html, "td", {{"class", "passed"}, {"data-key", "0"}}, "ok");
    } else {
        AppendElement(html, "td",
                      {{"class", "not"},
                       {"data-key", std::to_string(row.problems)},
                       {"title", row.firstProblem}},
                      CheckText(row));
    }
}

void AppendRow(std::string& html, const SummaryRow& row) {
    OpenTag(html, "tr",
            {{"data-serial", row.serialNumber},
             {"data-worst", VerdictKey(WorstVerdict(row))},
             {"data-check", CheckKey(row)}});
    OpenTag(html, "td", {{"class", "serial"}});
    AppendElement(html, "a", {{"href", BoardPageName(row.serialBytes)}}, SerialText(row));
    CloseTag(html, "td");
    AppendElement(html, "td", {}, DateText(row));
    for (const EdgeSummary& edge : row.edges) {
        AppendEdgeCells(html, edge);
    }
    AppendElement(html, "td", {}, row.secondPass ? "yes" : "no");
    AppendElement(html, "td", {}, row.internalTrace ? "yes" : "no");
    AppendCheckCell(html, row);
    OpenTag(html, "td");
    AppendElement(html, "a", {{"href", ReportPageName(row.file)}, {"title", row.file}},
                  FileNameOf(row));
    CloseTag(html, "td");
    CloseTag(html, "tr");
    html += '\n';
}

}  // namespace

std::string RenderIndexPage(const std::vector<const SummaryRow*>& newestFirst) {
    std::string html = SitePageStart("Edge-trace reports", "") + "<h1>Edge-trace reports</h1>\n" +
                       Counts(newestFirst) + "\n" + Filters() +
                       "<table id=\"reports\" class=\"list\">\n" + Head() + "<tbody>\n";
    html.reserve(html.size() + newestFirst.size() * kRowBytes);
    for (const SummaryRow* row : newestFirst) {
        AppendRow(html, *row);
    }
    return html + "</tbody>\n</table>\n<script src=\"" + std::string(site_files::kScript) +
           "\"></script>\n" + SitePageEnd();
}
