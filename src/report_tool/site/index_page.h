#pragma once
#include <string>
#include <vector>

#include "report_tool/summary/summary_row.h"

// The site's index: counts of reports, boards, reports with an edge not correctable and reports
// failing the check; filters (shown by the script); a table of every report in the order given,
// its serial number linking to the board's page and its file name to the report's page.
std::string RenderIndexPage(const std::vector<const SummaryRow*>& newestFirst);
