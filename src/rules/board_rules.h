#pragma once
// The board's units and the rules of the trace, in one place. Every threshold is in raw
// (non-projected) board units unless its name says otherwise; nothing here depends on anything
// else of the program, so every part can read it.
#include <cstdint>

namespace rules {

// The writing surface spans 0..kBoardExtent on both axes, x to the right, y downwards. Board
// space is mapped onto the whole trace window, so it is also the scale from units to pixels.
inline constexpr std::int32_t kBoardExtent = 4096;

// Acceptance: a point must move 1..kMaxStep along its edge's direction of travel from the last
// accepted point; a larger step is too fast and raises the speed warning.
inline constexpr std::int64_t kMaxStep = 300;
// The speed warning is raised at most once per this many milliseconds.
inline constexpr std::uint32_t kWarningIntervalMs = 1000;

// An edge is complete when its last point, at a pen-up, has come within kFarEndReach of the far
// end of its travel: beyond kFarEndHigh going down or right, below kFarEndLow going up or left.
inline constexpr std::int32_t kFarEndReach = 299;
inline constexpr std::int32_t kFarEndHigh = kBoardExtent - kFarEndReach - 1;  // 3796
inline constexpr std::int32_t kFarEndLow = kFarEndReach + 1;                  // 300
// An edge the user stopped tracing ends this many milliseconds after its pen-up.
inline constexpr unsigned kEdgeTimeoutMs = 10000;

// The internal trace's lines run 1/kInsetDivisor of the width in from the window's edges
// (window width / 75 pixels). On the board, as a single-precision position (where a new point's
// strip is repainted) and as whole units (where its bar is drawn).
inline constexpr int kInsetDivisor = 75;
inline constexpr float kInternalNear = static_cast<float>(kBoardExtent) / kInsetDivisor;
inline constexpr float kInternalFar = static_cast<float>(kBoardExtent) - kInternalNear;
inline constexpr std::int32_t kInternalNearUnits = kBoardExtent / kInsetDivisor;      // 54
inline constexpr std::int32_t kInternalFarUnits = kBoardExtent - kInternalNearUnits;  // 4042

// On screen, in pixels: the progress bars are this wide, and a new point's repaint reaches this
// far around its segment.
inline constexpr std::int32_t kBarPixels = 19;

// Statistics: a trace has started once the pen has moved more than kTraceStartAlong along its
// edge from its landing point (and across it at all).
inline constexpr std::uint32_t kTraceStartAlong = 10;
inline constexpr std::uint32_t kTraceStartAcross = 0;

// Verdicts by spread (largest minus smallest position across the edge): up to kPassedSpread
// passes, up to kCorrectableSpread can be corrected, beyond it cannot.
inline constexpr std::uint32_t kPassedSpread = 50;
inline constexpr std::uint32_t kCorrectableSpread = 300;
// The result line shows each spread in steps of this many units.
inline constexpr std::uint32_t kResultStep = 50;

}  // namespace rules
