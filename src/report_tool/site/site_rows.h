#pragma once
#include <optional>
#include <string>
#include <vector>

#include "report_tool/summary/summary_row.h"

// What the site's pages say about a report, all of it from the report's summary row (whose `file`
// is the report's absolute path), so that what the summary learns reaches the site in one place.

// The verdict of the worst edge; none when no edge's verdict could be read.
std::optional<EdgeVerdict> WorstVerdict(const SummaryRow& row);
// The name the index filters a verdict by, and the class that colours it: "passed",
// "correctable", "not"; "" for none.
std::string VerdictKey(const std::optional<EdgeVerdict>& verdict);
// "ok", or "failed" when the check found a problem.
std::string CheckKey(const SummaryRow& row);
// "ok", "1 problem", "3 problems".
std::string CheckText(const SummaryRow& row);
// "2026-06-12 23:16:07", or "no date" when it could not be read.
std::string DateText(const SummaryRow& row);
// The serial number as text, or "(no serial number)".
std::string SerialText(const SummaryRow& row);
// The last part of the report's path, its file name.
std::string FileNameOf(const SummaryRow& row);

// By date and time, the newest first (undated ones last), then serial number and file.
void SortNewestFirst(std::vector<const SummaryRow*>& rows);
