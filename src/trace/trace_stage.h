#pragma once
#include <cstdint>

// Where a test stands. Kept as a plain signed number because that is what the test state stores;
// every rule about a stage lives in its row of the stage table (trace/stage_table.h).
using TraceStage = std::int32_t;

namespace stage {
inline constexpr TraceStage kFirstLeft = 0;
inline constexpr TraceStage kFirstBottom = 1;
inline constexpr TraceStage kFirstRight = 2;
inline constexpr TraceStage kFirstTop = 3;
inline constexpr TraceStage kFinished = 4;
inline constexpr TraceStage kSecondLeft = 5;
inline constexpr TraceStage kSecondBottom = 6;
inline constexpr TraceStage kSecondRight = 7;
inline constexpr TraceStage kSecondTop = 8;
inline constexpr TraceStage kInternalLeft = 9;
inline constexpr TraceStage kInternalBottom = 10;
inline constexpr TraceStage kInternalRight = 11;
inline constexpr TraceStage kInternalTop = 12;
inline constexpr TraceStage kCount = 13;
}  // namespace stage
