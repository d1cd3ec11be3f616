#include "analysis/edge_statistics.h"

#include <limits>

#include "analysis/edge_geometry.h"
#include "analysis/trace_range.h"
#include "rules/board_rules.h"

namespace {

float Mean(std::uint32_t sum, std::uint32_t count) {
    if (count == 0) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    return static_cast<float>(static_cast<double>(sum) / static_cast<double>(count));
}

}  // namespace

int FindTraceStart(const TracePointArray& a, std::uint32_t xLimit, std::uint32_t yLimit) {
    if (a.size() < 2) {
        return 0;
    }
    const BoardPoint origin = *a.begin();
    for (const BoardPoint* p = a.begin() + 1; p != a.end(); ++p) {
        if (CoordinateDistance(p->x, origin.x) > xLimit &&
            CoordinateDistance(p->y, origin.y) > yLimit) {
            return static_cast<int>(p - a.begin());
        }
    }
    return 0;
}

EdgeStats ComputeEdgeStats(const TracePointArray& a, int startIndex, Edge edge) {
    const TraceRange range = TraceFrom(a, startIndex);
    EdgeStats stats;
    stats.count = static_cast<std::uint32_t>(range.end - range.begin);
    // Starting values no position or step on the board exceeds.
    stats.min = rules::kBoardExtent;
    stats.minGap = rules::kBoardExtent;
    std::uint32_t positionSum = 0;
    std::uint32_t gapSum = 0;
    for (const BoardPoint* p = range.begin; p != range.end; ++p) {
        const auto position = static_cast<std::uint32_t>(AcrossEdge(*p, edge));
        positionSum += position;
        if (position > stats.max) {
            stats.max = position;
        }
        if (position < stats.min) {
            stats.min = position;
        }
        if (p != range.begin) {
            const std::uint32_t gap =
                CoordinateDistance(AlongEdge(*p, edge), AlongEdge(*(p - 1), edge));
            gapSum += gap;
            if (gap > stats.maxGap) {
                stats.maxGap = gap;
            }
            if (gap < stats.minGap) {
                stats.minGap = gap;
            }
        }
    }
    stats.avg = Mean(positionSum, stats.count);
    stats.avgGap = Mean(gapSum, stats.count);
    return stats;
}
