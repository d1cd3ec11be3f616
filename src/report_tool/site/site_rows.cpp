#include "report_tool/site/site_rows.h"

#include <algorithm>
#include <tuple>

#include "report_tool/picture/picture_text.h"
#include "report_tool/picture/report_page.h"
#include "report_tool/reading/value_text.h"
#include "report_tool/site/html_text.h"

std::string_view VerdictKey(const std::optional<EdgeVerdict>& verdict) {
    return verdict ? VerdictClass(verdict) : "ungraded";
}

int VerdictRank(const std::optional<EdgeVerdict>& verdict) {
    return verdict ? static_cast<int>(*verdict) : static_cast<int>(EdgeVerdict::NotCorrectable) + 1;
}

std::string EdgeVerdictMarkup(const EdgeSummary& edge) {
    std::string html;
    AppendXmlEscaped(html, GradeWord(edge.verdict));
    if (const auto claim = edge.differingClaim()) {
        html += ' ';
        AppendElement(html, "span", {{"class", "claim " + std::string(VerdictClass(claim))}},
                      "report says " + VerdictWord(*claim));
    }
    return html;
}

std::string_view CheckKey(const SummaryRow& row) {
    return row.problems == 0 ? "ok" : "failed";
}

std::string CheckText(const SummaryRow& row) {
    std::string text = row.problems == 0 ? "ok" : Counted(row.problems, "problem");
    return row.warnings.empty() ? text : text + ", " + Counted(row.warnings.size(), "warning");
}

std::string CheckDetail(const SummaryRow& row) {
    return !row.firstProblem.empty() ? row.firstProblem
           : row.warnings.empty()    ? std::string()
                                     : "warning: " + row.warnings.front();
}

std::string DateText(const SummaryRow& row) {
    if (!row.writtenAt) {
        return "no date";
    }
    std::string text = IsoDateTime(*row.writtenAt);
    text[text.find('T')] = ' ';
    return text;
}

std::string SerialText(const SummaryRow& row) {
    return row.serialNumber.empty() ? "(no serial number)" : row.serialNumber;
}

std::string FileNameOf(const SummaryRow& row) {
    const std::size_t slash = row.file.find_last_of("/\\");
    return slash == std::string::npos ? row.file : row.file.substr(slash + 1);
}

bool NewerFirst(const SummaryRow& a, const SummaryRow& b) {
    const auto key = [](const SummaryRow& row) {
        const LocalDateTime t = row.writtenAt.value_or(LocalDateTime{});
        return std::make_tuple(row.writtenAt.has_value(), t.year, t.month, t.day, t.hour, t.minute,
                               t.second);
    };
    const auto ka = key(a);
    const auto kb = key(b);
    if (ka != kb) {
        return ka > kb;
    }
    return std::tie(a.serialBytes, a.file) < std::tie(b.serialBytes, b.file);
}

void SortNewestFirst(std::vector<const SummaryRow*>& rows) {
    std::sort(rows.begin(), rows.end(),
              [](const SummaryRow* a, const SummaryRow* b) { return NewerFirst(*a, *b); });
}
