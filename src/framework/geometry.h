#pragma once
#include <algorithm>
#include <cstdint>
#include <limits>

namespace fw {

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// left, top, right, bottom, as the platform's RECT. Width and height are 64-bit so that extreme
// rectangles never overflow.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int64_t width() const { return std::int64_t{right} - left; }
    std::int64_t height() const { return std::int64_t{bottom} - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A coordinate worked out in 64 bits, clamped into the 32 bits a coordinate holds.
inline std::int32_t Saturate32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace fw
