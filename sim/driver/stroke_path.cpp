#include "stroke_path.h"

#include <algorithm>
#include <cstdlib>

namespace rtdriver {
namespace {

// Truncating a * i / n toward zero moves by at most ceil(|a| / n) per unit of i, so n legs of
// at least |a| / step keep every move within step.
void AppendLeg(BoardPoint from, BoardPoint to, std::int64_t step, std::vector<BoardPoint>& points) {
    const std::int64_t dx = std::int64_t{to.x} - from.x;
    const std::int64_t dy = std::int64_t{to.y} - from.y;
    const std::int64_t longest = std::max(std::llabs(dx), std::llabs(dy));
    if (longest == 0) {
        return;
    }
    const std::int64_t legs = (longest + step - 1) / step;
    for (std::int64_t i = 1; i <= legs; ++i) {
        points.push_back({static_cast<std::int32_t>(from.x + dx * i / legs),
                          static_cast<std::int32_t>(from.y + dy * i / legs)});
    }
}

}  // namespace

std::vector<BoardPoint> StrokePoints(const std::vector<BoardPoint>& waypoints, std::int64_t step) {
    std::vector<BoardPoint> points;
    if (waypoints.empty()) {
        return points;
    }
    step = std::max<std::int64_t>(step, 1);
    points.push_back(waypoints.front());
    for (std::size_t i = 1; i < waypoints.size(); ++i) {
        AppendLeg(waypoints[i - 1], waypoints[i], step, points);
    }
    return points;
}

}  // namespace rtdriver
