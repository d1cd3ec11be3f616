#pragma once
#include <algorithm>
#include <cstdint>
#include <limits>

#include "framework/geometry.h"
#include "trace/run_boxes.h"

// An axis-aligned box in logical units with inclusive bounds, held in 64 bits so that growing it
// around extreme board coordinates cannot overflow. A box with left > right is empty and touches
// nothing.
struct BoardBox {
    std::int64_t left = std::numeric_limits<std::int64_t>::max();
    std::int64_t top = std::numeric_limits<std::int64_t>::max();
    std::int64_t right = std::numeric_limits<std::int64_t>::min();
    std::int64_t bottom = std::numeric_limits<std::int64_t>::min();

    bool empty() const { return left > right || top > bottom; }

    BoardBox grown(std::int64_t dx, std::int64_t dy) const {
        return empty() ? *this : BoardBox{left - dx, top - dy, right + dx, bottom + dy};
    }
};

inline bool Touches(const BoardBox& a, const BoardBox& b) {
    return !a.empty() && !b.empty() && a.left <= b.right && b.left <= a.right &&
           a.top <= b.bottom && b.top <= a.bottom;
}

// Whether the segment p-q can touch `box`: its bounding box is tested, never its exact course,
// so a segment passing a corner diagonally may count as touching.
inline bool SegmentTouches(const BoardBox& box, fw::Point p, fw::Point q) {
    return std::max(p.x, q.x) >= box.left && std::min(p.x, q.x) <= box.right &&
           std::max(p.y, q.y) >= box.top && std::min(p.y, q.y) <= box.bottom;
}

// A clip rectangle (right and bottom exclusive) as a box; keeping the far edge in the box costs
// at most one unit of needless drawing.
inline BoardBox BoxOf(const fw::Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// A box of board points (inclusive); an empty one stays empty.
inline BoardBox BoxOf(const PointBox& b) {
    return {b.left, b.top, b.right, b.bottom};
}
