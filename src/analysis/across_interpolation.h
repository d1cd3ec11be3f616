#pragma once
#include <cstdint>
#include <optional>

#include "analysis/edge_stats.h"
#include "trace/trace_point_array.h"

// The cross-edge coordinate of the reference trace at p's along-edge position, taken on the
// first segment in array order whose ends bracket that position (ends inclusive, either
// direction of travel). Nothing when no segment brackets it, as for a reference of fewer than
// two points.
std::optional<std::int32_t> InterpolateAcross(const TracePointArray& reference, BoardPoint p,
                                              Edge edge);

// The cross-edge coordinate on the segment from a to b at p's along-edge position, which the
// segment must bracket: a's position plus the ratio of the along-edge offsets times the
// segment's cross-edge extent, truncated toward zero. A segment without along-edge extent gives
// a's position instead of dividing by zero.
std::int32_t AcrossOnSegment(BoardPoint a, BoardPoint b, BoardPoint p, Edge edge);
