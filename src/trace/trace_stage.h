#pragma once
#include <cstdint>

// Where a test stands: 0..3 first pass (left, bottom, right, top), 4 finished, 5..8 second pass,
// 9..12 internal trace. Kept as a plain signed number because the stage is stored, compared and
// stepped arithmetically.
using TraceStage = std::int32_t;

namespace stage {
inline constexpr TraceStage kFirstLeft = 0;
inline constexpr TraceStage kFinished = 4;
inline constexpr TraceStage kSecondLeft = 5;
inline constexpr TraceStage kSecondTop = 8;
inline constexpr TraceStage kInternalLeft = 9;
inline constexpr TraceStage kInternalTop = 12;

inline constexpr bool IsTracing(TraceStage s) {
    return (s >= 0 && s <= 3) || (s >= 5 && s <= 12);
}
// Index into the twelve point arrays of a tracing stage.
inline constexpr int ArrayIndex(TraceStage s) {
    return s <= 3 ? s : s - 1;
}
// 0 left, 1 bottom, 2 right, 3 top for a tracing stage.
inline constexpr int EdgeOf(TraceStage s) {
    return ArrayIndex(s) % 4;
}
}  // namespace stage
