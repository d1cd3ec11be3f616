#include "app/board_box.h"

#include <array>
#include <cstddef>

BoardBox BoundsOf(const TracePointArray& points) {
    if (points.empty()) {
        return {};
    }
    // This walk is what a strip repaint spends on traces that do not reach the strip, so it is
    // made cheap: four points a step, the running minima and maxima laid out as the points lie in
    // memory (x, y, x, y, ...) and fully unrolled, so they stay in vector registers.
    constexpr std::size_t kPoints = 4;
    const BoardPoint* p = points.begin();
    std::array<std::int32_t, 2 * kPoints> lo;
    for (std::size_t k = 0; k < kPoints; ++k) {
        lo[2 * k] = p->x;
        lo[2 * k + 1] = p->y;
    }
    std::array<std::int32_t, 2 * kPoints> hi = lo;
    for (; points.end() - p >= static_cast<std::ptrdiff_t>(kPoints); p += kPoints) {
#pragma GCC unroll 4
        for (std::size_t k = 0; k < kPoints; ++k) {
            lo[2 * k] = std::min(lo[2 * k], p[k].x);
            lo[2 * k + 1] = std::min(lo[2 * k + 1], p[k].y);
            hi[2 * k] = std::max(hi[2 * k], p[k].x);
            hi[2 * k + 1] = std::max(hi[2 * k + 1], p[k].y);
        }
    }
    BoardBox box;
    for (; p != points.end(); ++p) {
        box.include(p->x, p->y);
    }
    for (std::size_t k = 0; k < kPoints; ++k) {
        box.include(lo[2 * k], lo[2 * k + 1]);
        box.include(hi[2 * k], hi[2 * k + 1]);
    }
    return box;
}
