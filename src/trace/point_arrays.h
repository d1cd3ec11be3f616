#pragma once
// The twelve point arrays of a test and which edge of which pass each one holds.
#include <array>
#include <cstddef>

#include "trace/edge.h"
#include "trace/trace_point_array.h"

// The parts of a test that trace, in the order of their arrays.
enum class Pass { First, Second, Internal };
inline constexpr Pass kPasses[3] = {Pass::First, Pass::Second, Pass::Internal};

// The array that holds `edge` of `pass`: four arrays per pass in edge order, the first pass's
// first, then the second pass's, then the internal trace's lines.
constexpr std::size_t ArrayOf(Pass pass, Edge edge) {
    return 4 * static_cast<std::size_t>(pass) + static_cast<std::size_t>(edge);
}

// The edge array `array` holds, whichever pass it belongs to.
constexpr Edge EdgeOfArray(std::size_t array) {
    return kEdges[array % 4];
}

inline constexpr std::size_t kPointArrayCount = ArrayOf(Pass::Internal, Edge::Top) + 1;
using PointArrays = std::array<TracePointArray, kPointArrayCount>;
