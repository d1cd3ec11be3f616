#include "driver/stroke_path.h"

#include <gtest/gtest.h>

namespace rtdriver {
namespace {

// A scripted stroke never jumps further than its step (the program's speed limit depends on it)
// and passes every waypoint once.
TEST(Stroke, EvenStepsThroughEveryWaypointOnce) {
    const auto edge = StrokePoints({{40, 0}, {40, 4096}}, 300);
    ASSERT_EQ(edge.size(), 15u);  // 4096 / 300 rounds up to 14 legs
    for (std::size_t i = 1; i < edge.size(); ++i) {
        EXPECT_EQ(edge[i].x, 40);
        EXPECT_GT(edge[i].y, edge[i - 1].y);
        EXPECT_LE(edge[i].y - edge[i - 1].y, 300) << i;
    }
    EXPECT_EQ(edge.back(), (BoardPoint{40, 4096}));
    EXPECT_EQ(StrokePoints({{0, 0}, {0, 0}, {200, 0}, {200, 200}}, 100),
              (std::vector<BoardPoint>{{0, 0}, {100, 0}, {200, 0}, {200, 100}, {200, 200}}));
}

}  // namespace
}  // namespace rtdriver
