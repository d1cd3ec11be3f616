#pragma once
// Point arrays written out in tests, and the extreme coordinates the SDK may deliver.
#include <cstdint>
#include <initializer_list>
#include <limits>

#include "trace/trace_point_array.h"

inline constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
inline constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

inline TracePointArray Trace(std::initializer_list<BoardPoint> points) {
    TracePointArray a;
    for (BoardPoint p : points) {
        a.append(p);
    }
    return a;
}
