#pragma once
#include "trace/trace_point_array.h"

// The points of an array from a start index to its end. A start index outside 0..size (which the
// start test never produces) gives an empty range rather than a read outside the array.
struct TraceRange {
    const BoardPoint* begin = nullptr;
    const BoardPoint* end = nullptr;
};

inline TraceRange TraceFrom(const TracePointArray& a, int startIndex) {
    if (startIndex < 0 || static_cast<std::size_t>(startIndex) > a.size()) {
        return {a.end(), a.end()};
    }
    return {a.begin() + startIndex, a.end()};
}
