#include "analysis/trace_comparison.h"

#include <cstdint>

#include "analysis/edge_geometry.h"
#include "analysis/reference_trace_lookup.h"
#include "analysis/trace_range.h"

EdgeStats CompareTraces(const TracePointArray& first, const TracePointArray& second, int startIndex,
                        Edge edge) {
    const ReferenceTraceLookup reference(second, edge);
    const TraceRange walk = TraceFrom(first, startIndex);
    EdgeStats stats;
    // Distances reach 2^32 - 1 for extreme coordinates; a 32-bit sum would overflow.
    std::uint64_t distanceSum = 0;
    for (const BoardPoint* p = walk.begin; p != walk.end; ++p) {
        const std::optional<std::int32_t> across = reference.across(*p);
        if (!across) {
            continue;
        }
        const std::uint32_t distance = CoordinateDistance(AcrossEdge(*p, edge), *across);
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
