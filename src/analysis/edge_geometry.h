#pragma once
#include <cstdint>

#include "analysis/edge_stats.h"
#include "trace/board_point.h"
#include "rules/board_rules.h"

// How an edge is measured: which coordinate runs along it, and how far the pen must have moved
// from its landing point before the trace counts as started. The cross-edge coordinate is the
// other one; it is the position the statistics describe.
struct EdgeGeometry {
    bool alongIsY = true;
    std::uint32_t xLimit = 0;
    std::uint32_t yLimit = 0;
};

// Left and right run along y and start once y has moved more than 10 (and x at all); bottom and
// top run along x with the limits exchanged.
constexpr EdgeGeometry GeometryOf(Edge edge) {
    if (edge == Edge::Left || edge == Edge::Right) {
        return {true, rules::kTraceStartAcross, rules::kTraceStartAlong};
    }
    return {false, rules::kTraceStartAlong, rules::kTraceStartAcross};
}

constexpr std::int32_t AlongEdge(BoardPoint p, Edge edge) {
    return GeometryOf(edge).alongIsY ? p.y : p.x;
}

constexpr std::int32_t AcrossEdge(BoardPoint p, Edge edge) {
    return GeometryOf(edge).alongIsY ? p.x : p.y;
}

// The distance between two coordinates. Their difference needs 33 bits; its magnitude always
// fits 32 unsigned.
constexpr std::uint32_t CoordinateDistance(std::int32_t a, std::int32_t b) {
    const std::int64_t difference = std::int64_t{a} - std::int64_t{b};
    return static_cast<std::uint32_t>(difference < 0 ? -difference : difference);
}
