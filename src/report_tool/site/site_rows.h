#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report_tool/summary/summary_row.h"

// What the site's pages say about a report, all of it from the report's summary row (whose `file`
// is the report's absolute path), so that what the summary learns reaches the site in one place.
// Verdicts are those of the points, graded again; the report's own claim goes beside one where it
// says something else.

// The name the index filters an overall verdict by, and the class that colours a verdict:
// "passed", "correctable", "not", or "ungraded" for none.
std::string_view VerdictKey(const std::optional<EdgeVerdict>& verdict);
// How bad an edge is, for sorting: passed 0, correctable 1, not correctable 2, not graded 3.
int VerdictRank(const std::optional<EdgeVerdict>& verdict);
// An edge's verdict as markup: the word, and where the report claims something else,
// "report says ..." in the claim's colour.
std::string EdgeVerdictMarkup(const EdgeSummary& edge);
// "ok", or "failed" when the check found a problem.
std::string_view CheckKey(const SummaryRow& row);
// "ok", "1 problem", "3 problems"; with warnings, "ok, 1 warning".
std::string CheckText(const SummaryRow& row);
// What the check found first (the first problem, else the first warning), for a tooltip.
std::string CheckDetail(const SummaryRow& row);
// "2026-06-12 23:16:07", or "no date" when it could not be read.
std::string DateText(const SummaryRow& row);
// The serial number as text, or "(no serial number)".
std::string SerialText(const SummaryRow& row);
// The last part of the report's path, its file name.
std::string FileNameOf(const SummaryRow& row);

// By date and time, the newest first (undated ones last), then serial number and file.
bool NewerFirst(const SummaryRow& a, const SummaryRow& b);
void SortNewestFirst(std::vector<const SummaryRow*>& rows);
