#pragma once
#include <ostream>
#include <vector>

#include "report_tool/summary/summary_row.h"

// The summary as CSV (RFC 4180: a header row, comma separated, CR LF line ends, fields with a
// comma, a quote or a line break in double quotes with quotes doubled) or as a JSON array of
// objects. Values missing from a report are empty fields in CSV and null in JSON. A CSV text
// field that a spreadsheet program would take for a formula is written with a leading
// apostrophe; numbers and JSON are written as they are.
void WriteSummaryCsv(std::ostream& out, const std::vector<SummaryRow>& rows);
void WriteSummaryJson(std::ostream& out, const std::vector<SummaryRow>& rows);

// One CSV field as RFC 4180 quotes it.
std::string CsvField(std::string_view text);
// A text field, quoted, that starts with '=', '+', '-', '@', a tab or a CR behind an apostrophe.
std::string CsvText(std::string_view text);
