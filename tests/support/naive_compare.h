#pragma once
#include <cstdint>
#include <optional>

#include "analysis/across_interpolation.h"
#include "analysis/edge_geometry.h"
#include "analysis/edge_stats.h"
#include "trace/trace_point_array.h"

// The second-pass comparison exactly as defined: every first-trace point from the start index
// is interpolated against the second trace by the segment-by-segment scan. Quadratic; it is
// the yardstick the fast comparison is checked and measured against.
inline EdgeStats NaiveCompareTraces(const TracePointArray& first, const TracePointArray& second,
                                    int startIndex, Edge edge) {
    EdgeStats stats;
    if (startIndex < 0) {
        return stats;
    }
    std::uint64_t distanceSum = 0;
    for (std::size_t i = static_cast<std::size_t>(startIndex); i < first.size(); ++i) {
        const BoardPoint p = first.element(i);
        const std::optional<std::int32_t> across = InterpolateAcross(second, p, edge);
        if (!across) {
            continue;
        }
        const std::int64_t difference = std::int64_t{AcrossEdge(p, edge)} - *across;
        const auto distance = static_cast<std::uint32_t>(difference < 0 ? -difference : difference);
        distanceSum += distance;
        if (distance > stats.max) {
            stats.max = distance;
        }
        ++stats.count;
    }
    if (stats.count > 0) {
        stats.avg =
            static_cast<float>(static_cast<double>(distanceSum) / static_cast<double>(stats.count));
    }
    return stats;
}
