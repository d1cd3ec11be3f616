#pragma once
#include <cstdint>

// A raw (non-projected) board coordinate pair. The writing surface spans 0..4096 on both axes,
// x to the right, y downwards, but the SDK may deliver any 32-bit value.
struct BoardPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const BoardPoint&, const BoardPoint&) = default;
};
