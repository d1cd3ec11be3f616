#include "driver/bmp_header.h"
#include "driver/stroke_path.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace rtdriver {
namespace {

void ExpectStepsWithin(const std::vector<BoardPoint>& points, std::int64_t step) {
    for (std::size_t i = 1; i < points.size(); ++i) {
        EXPECT_LE(std::llabs(std::int64_t{points[i].x} - points[i - 1].x), step) << i;
        EXPECT_LE(std::llabs(std::int64_t{points[i].y} - points[i - 1].y), step) << i;
        EXPECT_FALSE(points[i] == points[i - 1]) << i;
    }
}

TEST(Stroke, LeftEdgeInEvenSteps) {
    const auto points = StrokePoints({{40, 0}, {40, 4096}}, 300);
    ASSERT_EQ(points.size(), 15u);  // 4096 / 300 rounds up to 14 legs
    EXPECT_EQ(points.front(), (BoardPoint{40, 0}));
    EXPECT_EQ(points.back(), (BoardPoint{40, 4096}));
    ExpectStepsWithin(points, 300);
}

TEST(Stroke, UnevenDiagonalBackwardsStaysWithinStep) {
    const auto points = StrokePoints({{4000, 3000}, {7, -13}}, 97);
    EXPECT_EQ(points.back(), (BoardPoint{7, -13}));
    ExpectStepsWithin(points, 97);
}

TEST(Stroke, WaypointsAreVisitedOnceAndRepeatsDropped) {
    const auto points = StrokePoints({{0, 0}, {0, 0}, {200, 0}, {200, 200}}, 100);
    const std::vector<BoardPoint> expected = {{0, 0}, {100, 0}, {200, 0}, {200, 100}, {200, 200}};
    EXPECT_EQ(points, expected);
}

TEST(Stroke, ExtremeCoordinatesDoNotOverflow) {
    const auto points = StrokePoints({{INT32_MIN, INT32_MAX}, {INT32_MAX, INT32_MIN}}, INT32_MAX);
    EXPECT_EQ(points.back(), (BoardPoint{INT32_MAX, INT32_MIN}));
    ExpectStepsWithin(points, INT32_MAX);
}

TEST(Stroke, StepBelowOneActsAsOne) {
    EXPECT_EQ(StrokePoints({{0, 0}, {3, 0}}, 0).size(), 4u);
}

TEST(Bmp, HeaderDescribesA24BitBottomUpImage) {
    const std::string header = BmpHeader(3, 2);
    ASSERT_EQ(header.size(), 54u);
    EXPECT_EQ(header.substr(0, 2), "BM");
    EXPECT_EQ(BmpRowStride(3), 12u);
    EXPECT_EQ(static_cast<unsigned char>(header[2]), 54 + 24);  // file size
    EXPECT_EQ(header[10], 54);                                  // pixel offset
    EXPECT_EQ(header[18], 3);                                   // width
    EXPECT_EQ(header[22], 2);                                   // height, positive
    EXPECT_EQ(header[28], 24);                                  // bits per pixel
}

}  // namespace
}  // namespace rtdriver
