// The pen positions of a scripted stroke.
#pragma once

#include <cstdint>
#include <vector>

namespace rtdriver {

struct BoardPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const BoardPoint&) const = default;
};

// The first waypoint, then points along each straight leg to the next waypoint, every waypoint
// included once. Between neighbours neither coordinate changes by more than `step` (at least 1).
std::vector<BoardPoint> StrokePoints(const std::vector<BoardPoint>& waypoints, std::int64_t step);

}  // namespace rtdriver
