#pragma once
#include <cstdint>
#include <limits>

#include "trace/board_point.h"

// The form of a point line, "x,y", read in one pass where the bytes lie: point lines are nearly
// all of a report, so this is the reader's inner loop. Each number is a minus sign for negative
// values and digits without leading zeros ("-0" is not a form the program writes), in 32 bits.
namespace point_text {

inline bool TakeCoordinate(const char*& position, const char* end, std::int32_t& out) {
    const char* at = position;
    const bool negative = at != end && *at == '-';
    at += negative ? 1 : 0;
    const char* digits = at;
    // Eleven digits are already too many; no need to look further.
    const char* limit = end - at > 11 ? at + 11 : end;
    std::int64_t value = 0;
    while (at != limit) {
        const unsigned digit = static_cast<unsigned char>(*at) - unsigned{'0'};
        if (digit > 9) {
            break;
        }
        value = value * 10 + digit;
        ++at;
    }
    const auto length = at - digits;
    if (length == 0 || length > 10 || (length > 1 && *digits == '0') || (negative && value == 0)) {
        return false;
    }
    value = negative ? -value : value;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return false;
    }
    out = static_cast<std::int32_t>(value);
    position = at;
    return true;
}

// "x,y" at the start of [position, end): on success `position` is moved past it.
inline bool TakePoint(const char*& position, const char* end, BoardPoint& point) {
    const char* at = position;
    BoardPoint taken;
    if (!TakeCoordinate(at, end, taken.x) || at == end || *at++ != ',' ||
        !TakeCoordinate(at, end, taken.y)) {
        return false;
    }
    position = at;
    point = taken;
    return true;
}

}  // namespace point_text
