#pragma once
#include <cstdint>
#include <vector>

#include "analysis/edge_stats.h"
#include "trace/trace_point_array.h"

// A stretch along an edge, from < to, in board units within the board's extent.
struct Stretch {
    std::int32_t from = 0;
    std::int32_t to = 0;
    friend bool operator==(const Stretch&, const Stretch&) = default;
};

// How much of an edge's length a trace covers: the stretches between consecutive points (the pen
// went there) and the rest, which no point covers.
struct EdgeCoverage {
    std::vector<Stretch> traced;
    std::vector<Stretch> untraced;
    double percent = 0.0;
    // The trace stopped short of the edge's far end, which the program allows only when the
    // ten-second time-out ends an edge.
    bool endedByTimeOut = false;
};

EdgeCoverage CoverageOf(const TracePointArray& points, Edge edge);
