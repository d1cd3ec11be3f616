#pragma once
#include <string>
#include <vector>

#include "report_tool/summary/summary_row.h"

// One board's history: its visits (the reports of one serial number, oldest first), each edge's
// spread over them as a chart with the 50 and 300 limits, and a table of the visits, newest first,
// each linking to its report's page.
std::string RenderBoardPage(const std::vector<const SummaryRow*>& oldestFirst);
