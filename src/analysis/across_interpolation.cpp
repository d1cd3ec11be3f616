#include "analysis/across_interpolation.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/edge_geometry.h"

namespace {

bool SegmentBrackets(BoardPoint a, BoardPoint b, BoardPoint p, Edge edge) {
    const std::int32_t from = AlongEdge(a, edge);
    const std::int32_t to = AlongEdge(b, edge);
    const std::int32_t at = AlongEdge(p, edge);
    return (from <= at && at <= to) || (from >= at && at >= to);
}

std::int32_t SaturateToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

std::int32_t AcrossOnSegment(BoardPoint a, BoardPoint b, BoardPoint p, Edge edge) {
    const std::int64_t alongExtent = std::int64_t{AlongEdge(b, edge)} - AlongEdge(a, edge);
    if (alongExtent == 0) {
        return AcrossEdge(a, edge);
    }
    const std::int64_t alongOffset = std::int64_t{AlongEdge(p, edge)} - AlongEdge(a, edge);
    const std::int64_t acrossExtent = std::int64_t{AcrossEdge(b, edge)} - AcrossEdge(a, edge);
    const double ratio = static_cast<double>(alongOffset) / static_cast<double>(alongExtent);
    // A bracketed point has a ratio in 0..1, so the product stays within the segment's extent
    // (less than 2^32); the clamp only keeps the conversion defined for any operands.
    const double offset = std::trunc(ratio * static_cast<double>(acrossExtent));
    const double bound = 4294967296.0;
    const auto across = static_cast<std::int64_t>(std::clamp(offset, -bound, bound));
    return SaturateToInt32(AcrossEdge(a, edge) + across);
}

std::optional<std::int32_t> InterpolateAcross(const TracePointArray& reference, BoardPoint p,
                                              Edge edge) {
    const BoardPoint* points = reference.begin();
    for (std::size_t i = 1; i < reference.size(); ++i) {
        if (SegmentBrackets(points[i - 1], points[i], p, edge)) {
            return AcrossOnSegment(points[i - 1], points[i], p, edge);
        }
    }
    return std::nullopt;
}
