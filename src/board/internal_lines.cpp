#include "board/internal_lines.h"
#include "rules/board_rules.h"

std::array<LineSegment, 4> InternalLines(std::int32_t w, std::int32_t h) {
    const std::int32_t n = w / rules::kInsetDivisor;
    const fw::Point topLeft{n, n};
    const fw::Point bottomLeft{n, h - n};
    const fw::Point bottomRight{w - n, h - n};
    const fw::Point topRight{w - n, n};
    return {LineSegment{topLeft, bottomLeft}, LineSegment{bottomLeft, bottomRight},
            LineSegment{bottomRight, topRight}, LineSegment{topRight, topLeft}};
}
