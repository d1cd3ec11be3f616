#include "analysis/reference_trace_lookup.h"

#include <algorithm>

#include "analysis/across_interpolation.h"
#include "analysis/edge_geometry.h"

ReferenceTraceLookup::ReferenceTraceLookup(const TracePointArray& reference, Edge edge)
    : reference_(reference), edge_(edge), travel_(TravelOf(reference, edge)) {}

ReferenceTraceLookup::Travel ReferenceTraceLookup::TravelOf(const TracePointArray& reference,
                                                            Edge edge) {
    if (reference.size() < 2) {
        return Travel::Unordered;
    }
    const BoardPoint* points = reference.begin();
    const bool increasing = AlongEdge(points[0], edge) < AlongEdge(points[1], edge);
    for (std::size_t i = 1; i < reference.size(); ++i) {
        const std::int32_t from = AlongEdge(points[i - 1], edge);
        const std::int32_t to = AlongEdge(points[i], edge);
        if (increasing ? from >= to : from <= to) {
            return Travel::Unordered;
        }
    }
    return increasing ? Travel::Increasing : Travel::Decreasing;
}

std::optional<std::int32_t> ReferenceTraceLookup::across(BoardPoint p) const {
    if (travel_ == Travel::Unordered) {
        return InterpolateAcross(reference_, p, edge_);
    }
    const bool increasing = travel_ == Travel::Increasing;
    const std::int32_t at = AlongEdge(p, edge_);
    const std::int32_t start = AlongEdge(*reference_.begin(), edge_);
    const std::int32_t finish = AlongEdge(*(reference_.end() - 1), edge_);
    if (increasing ? (at < start || at > finish) : (at > start || at < finish)) {
        return std::nullopt;
    }
    // The first segment whose far end has reached the point: every earlier far end lies short of
    // it, so no earlier segment brackets it, and a point level with a vertex gets the segment
    // that ends there rather than the one that starts there.
    const BoardPoint* segmentEnd =
        std::partition_point(reference_.begin() + 1, reference_.end(), [&](const BoardPoint& q) {
            const std::int32_t along = AlongEdge(q, edge_);
            return increasing ? along < at : along > at;
        });
    return AcrossOnSegment(*(segmentEnd - 1), *segmentEnd, p, edge_);
}
