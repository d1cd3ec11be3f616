#include "report_tool/site/site_rows.h"

#include <algorithm>
#include <tuple>

#include "report_tool/picture/report_page.h"
#include "report_tool/reading/value_text.h"

std::optional<EdgeVerdict> WorstVerdict(const SummaryRow& row) {
    std::optional<EdgeVerdict> worst;
    for (const EdgeSummary& edge : row.edges) {
        if (edge.verdict && (!worst || *edge.verdict > *worst)) {
            worst = edge.verdict;
        }
    }
    return worst;
}

std::string VerdictKey(const std::optional<EdgeVerdict>& verdict) {
    return verdict ? VerdictClass(*verdict) : std::string();
}

std::string CheckKey(const SummaryRow& row) {
    return row.problems == 0 ? "ok" : "failed";
}

std::string CheckText(const SummaryRow& row) {
    return row.problems == 0   ? "ok"
           : row.problems == 1 ? "1 problem"
                               : std::to_string(row.problems) + " problems";
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

void SortNewestFirst(std::vector<const SummaryRow*>& rows) {
    const auto key = [](const SummaryRow* row) {
        const LocalDateTime t = row->writtenAt.value_or(LocalDateTime{});
        return std::make_tuple(row->writtenAt.has_value(), t.year, t.month, t.day, t.hour, t.minute,
                               t.second);
    };
    std::sort(rows.begin(), rows.end(), [&](const SummaryRow* a, const SummaryRow* b) {
        const auto ka = key(a);
        const auto kb = key(b);
        if (ka != kb) {
            return ka > kb;
        }
        return std::tie(a->serialBytes, a->file) < std::tie(b->serialBytes, b->file);
    });
}
