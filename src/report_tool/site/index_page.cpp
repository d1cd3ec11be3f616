#include "report_tool/site/index_page.h"

#include <set>

#include "report_tool/picture/picture_text.h"
#include "report_tool/picture/report_page.h"
#include "report_tool/reading/value_text.h"
#include "report_tool/site/html_text.h"
#include "report_tool/site/page_names.h"
#include "report_tool/site/site_rows.h"

namespace {

constexpr std::size_t kRowBytes = 900;  // about what a row takes

std::string Counts(const std::vector<IndexRow>& rows) {
    std::set<std::string_view> boards;
    std::size_t notCorrectable = 0;
    std::size_t failing = 0;
    for (const IndexRow& row : rows) {
        boards.insert(row.report->serialBytes);
        notCorrectable += row.report->verdict == EdgeVerdict::NotCorrectable ? 1 : 0;
        failing += row.report->problems > 0 ? 1 : 0;
    }
    return HtmlWrap(
        "p", {{"class", "counts"}},
        HtmlElement("span", {{"id", "count-reports"}}, Counted(rows.size(), "report")) +
            HtmlElement("span", {{"id", "count-boards"}}, Counted(boards.size(), "board")) +
            HtmlElement("span", {{"id", "count-not-correctable"}, {"class", "not"}},
                        Counted(notCorrectable, "report") + " with an edge not correctable") +
            HtmlElement("span", {{"id", "count-failing"}},
                        Counted(failing, "report") + " failing the check"));
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
                                         option("not", "an edge not correctable") +
                                         option("ungraded", "not graded"))) +
           HtmlWrap("label", {},
                    "Check " + HtmlWrap("select", {{"name", "check"}},
                                        option("", "any") + option("ok", "ok") +
                                            option("failed", "failed"))) +
           "<output id=\"shown\"></output></form>\n";
}

std::string Head() {
    std::string groups = "<tr class=\"groups\"><th colspan=\"3\"></th>";
    std::string columns = "<tr>" + HtmlElement("th", {}, "Serial number") +
                          HtmlElement("th", {}, "Date") +
                          HtmlElement("th", {{"data-type", "number"}}, "Overall");
    for (Edge edge : kEdges) {
        groups += HtmlElement("th", {{"colspan", "2"}}, EdgeName(edge));
        columns += HtmlElement("th", {{"data-type", "number"}}, "verdict") +
                   HtmlElement("th", {{"class", "n"}, {"data-type", "number"}}, "traced %");
    }
    groups += "<th colspan=\"4\"></th></tr>\n";
    columns += HtmlElement("th", {}, "Second pass") + HtmlElement("th", {}, "Internal trace") +
               HtmlElement("th", {{"data-type", "number"}}, "Check") +
               HtmlElement("th", {}, "Code page") + "</tr>\n";
    return "<thead>\n" + groups + columns + "</thead>\n";
}

void AppendVerdictCell(std::string& html, const std::optional<EdgeVerdict>& verdict,
                       std::string_view markup) {
    OpenTag(html, "td",
            {{"class", VerdictKey(verdict)}, {"data-key", std::to_string(VerdictRank(verdict))}});
    html += markup;
    CloseTag(html, "td");
}

void AppendRow(std::string& html, const IndexRow& links) {
    const SummaryRow& row = *links.report;
    OpenTag(html, "tr",
            {{"data-serial", row.serialNumber},
             {"data-worst", VerdictKey(row.verdict)},
             {"data-check", CheckKey(row)}});
    OpenTag(html, "td", {{"class", "serial"}});
    AppendElement(html, "a", {{"href", links.boardPage}}, SerialText(row));
    CloseTag(html, "td");
    // The date opens the report's page: a report is known by when it was written.
    OpenTag(html, "td");
    AppendElement(html, "a", {{"href", links.reportPage}, {"title", row.file}}, DateText(row));
    CloseTag(html, "td");
    AppendVerdictCell(html, row.verdict, XmlEscaped(GradeWord(row.verdict)));
    for (const EdgeSummary& edge : row.edges) {
        AppendVerdictCell(html, edge.verdict, EdgeVerdictMarkup(edge));
        AppendElement(html, "td", {{"class", "n"}}, OneDecimal(edge.coveragePercent));
    }
    AppendElement(html, "td", {}, row.secondPass ? "yes" : "no");
    AppendElement(html, "td", {}, row.internalTrace ? "yes" : "no");
    const std::string detail = CheckDetail(row);
    if (detail.empty() && row.problems == 0) {
        AppendElement(html, "td", {{"class", "passed"}, {"data-key", "0"}}, CheckText(row));
    } else {
        AppendElement(html, "td",
                      {{"class", row.problems == 0 ? "passed" : "not"},
                       {"data-key", std::to_string(row.problems)},
                       {"title", detail}},
                      CheckText(row));
    }
    AppendElement(html, "td", {}, row.encoding);
    CloseTag(html, "tr");
    html += '\n';
}

// How serial numbers were read.
std::string SerialReadingNote(const std::optional<CodePage>& serialCodePage) {
    return serialCodePage
               ? "Serial numbers are read in code page " + serialCodePage->name() + " (--encoding)."
               : "Serial numbers are read as UTF-8 where they are, otherwise in code "
                 "page cp1252; --encoding names the code page of the computers that "
                 "wrote them.";
}

}  // namespace

std::string RenderIndexPage(const std::vector<IndexRow>& newestFirst,
                            const std::optional<CodePage>& serialCodePage) {
    std::string html;
    html.reserve((newestFirst.size() + 2) * kRowBytes);
    html += SitePageStart("Edge-trace reports", "");
    html += "<h1>Edge-trace reports</h1>\n";
    html += Counts(newestFirst);
    html += "\n";
    AppendElement(html, "p", {{"class", "muted"}},
                  "Each verdict is graded again from the report's points; where the report "
                  "claims another, it says so beside it. " +
                      SerialReadingNote(serialCodePage));
    html += "\n";
    html += Filters();
    html += "<table id=\"reports\" class=\"list\">\n";
    html += Head();
    html += "<tbody>\n";
    for (const IndexRow& row : newestFirst) {
        AppendRow(html, row);
    }
    html += "</tbody>\n</table>\n<script src=\"";
    html += site_files::kScript;
    html += "\"></script>\n";
    html += SitePageEnd();
    return html;
}
