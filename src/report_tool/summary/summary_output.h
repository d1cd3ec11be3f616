#pragma once
#include <ostream>
#include <vector>

#include "report_tool/summary/summary_row.h"

// The summary as CSV (RFC 4180: a header row, comma separated, CR LF line ends, fields with a
// comma, a quote or a line break in double quotes with quotes doubled) or as a JSON array of
// objects. Values missing from a report are empty fields in CSV and null in JSON.
void WriteSummaryCsv(std::ostream& out, const std::vector<SummaryRow>& rows);
void WriteSummaryJson(std::ostream& out, const std::vector<SummaryRow>& rows);

// One CSV field as RFC 4180 quotes it.
std::string CsvField(std::string_view text);
