#pragma once
#include <array>
#include <cstdint>

#include "app/line_segment.h"

// The four guide lines of the internal trace for a window of w x h pixels: its client area shrunk
// on every side by w / 75 (the width serves for both insets), in the order left (top to bottom),
// bottom (left to right), right (bottom to top), top (right to left).
std::array<LineSegment, 4> InternalLines(std::int32_t w, std::int32_t h);
