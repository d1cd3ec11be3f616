#pragma once
#include <string>
#include <vector>

#include "analysis/edge_stats.h"
#include "report_tool/summary/summary_row.h"

// One edge's spread over a board's visits, oldest first, as a small SVG chart: the spread of each
// visit as a point in its verdict's colour over the bands of the verdicts, the 50 and 300 limits
// marked; each point links to its report's page (from the board's folder) and names its date,
// spread and verdict. A spread beyond the chart, or an edge without points, sits on its top edge.
std::string RenderSpreadChart(Edge edge, const std::vector<const SummaryRow*>& oldestFirst);
