#pragma once
#include <cstdint>

#include "analysis/edge_stats.h"
#include "trace/trace_point_array.h"

// The index of the first point that has moved more than xLimit across x and more than yLimit
// across y from point 0, so that the landing of the pen does not count; 0 when no point has.
int FindTraceStart(const TracePointArray& a, std::uint32_t xLimit, std::uint32_t yLimit);

// First-pass statistics of one edge from startIndex to the end: smallest, largest and mean
// cross-edge position, smallest, largest and mean along-edge step. The mean step is divided by
// the number of points, not of steps. A start index outside 0..size gives an empty range; an
// empty range keeps the initial min 4096 and max 0 and has NaN means, since it has none.
EdgeStats ComputeEdgeStats(const TracePointArray& a, int startIndex, Edge edge);
