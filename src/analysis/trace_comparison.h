#pragma once
#include "analysis/edge_stats.h"
#include "trace/trace_point_array.h"

// Second-pass comparison of one edge: walks the first trace from startIndex and measures, for
// every point the second trace brackets, how far the second trace lies across the edge at the
// same along-edge position. Sets count, max and avg (0.0 when nothing was bracketed); the other
// fields stay 0. A start index outside 0..size gives an empty walk.
EdgeStats CompareTraces(const TracePointArray& first, const TracePointArray& second, int startIndex,
                        Edge edge);
