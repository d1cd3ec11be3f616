#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "framework/headless/recording_dc.h"

using headless::LineOp;
using headless::Mapping;
using headless::PolylineOp;
using headless::PolyPolylineOp;
using headless::RecordingDC;
using headless::SegmentsOf;

TEST(RecordingDC, TheClipBoxIsReportedInLogicalUnitsRoundedOutward) {
    RecordingDC dc({1, 301, 19, 358});
    EXPECT_EQ(dc.clipBox(), (fw::Rect{1, 301, 19, 358}));
    dc.pushMapping({4096, 4096}, {1024, 768});
    // x: 4 units a pixel; y: 5.33 units a pixel, 1605.3 down to 1605, 1909.3 up to 1910.
    EXPECT_EQ(dc.clipBox(), (fw::Rect{4, 1605, 76, 1910}));
    dc.popMapping();
    EXPECT_EQ(dc.clipBox(), (fw::Rect{1, 301, 19, 358}));
}

TEST(RecordingDC, EachLineCarriesThePenAndMappingInForce) {
    RecordingDC dc({0, 0, 100, 100});
    dc.moveTo({1, 2});
    dc.pushPen({3, {1, 2, 3}});
    dc.pushMapping({10, 10}, {100, 100});
    dc.lineTo({5, 6});
    dc.popMapping();
    dc.popPen();
    dc.lineTo({7, 8});
    ASSERT_EQ(dc.primitives().size(), 2u);
    const auto& first = dc.primitives()[0];
    EXPECT_EQ(std::get<LineOp>(first.op), (LineOp{{1, 2}, {5, 6}}));
    EXPECT_EQ(first.state.pen, (fw::PenSpec{3, {1, 2, 3}}));
    EXPECT_EQ(first.state.mapping, (Mapping{{10, 10}, {100, 100}}));
    const auto& second = dc.primitives()[1];
    EXPECT_EQ(std::get<LineOp>(second.op), (LineOp{{5, 6}, {7, 8}}));
    EXPECT_FALSE(second.state.pen.has_value());
    EXPECT_EQ(dc.issuedCount(), 3u);
}

TEST(RecordingDC, TextIsMeasuredAtHalfTheFontHeightPerCharacter) {
    RecordingDC dc({0, 0, 10, 10});
    dc.pushFont({-18, 700});
    EXPECT_EQ(dc.textExtent(L"abcd"), (fw::Size{36, 18}));
    EXPECT_EQ(dc.textExtent(L""), (fw::Size{0, 0}));
    dc.popFont();
}

TEST(RecordingDC, PolylinesAreRecordedWholeAndLeaveThePenWhereItWas) {
    RecordingDC dc({0, 0, 100, 100});
    dc.pushPen({3, {1, 2, 3}});
    dc.moveTo({1, 1});
    const std::vector<fw::Point> points{{10, 10}, {20, 10}, {20, 20}, {30, 0}, {40, 0}};
    dc.polyline(points);
    dc.polyPolyline(points, std::vector<std::uint32_t>{3, 2});
    dc.lineTo({2, 2});
    dc.popPen();
    ASSERT_EQ(dc.primitives().size(), 3u);
    EXPECT_EQ(std::get<PolylineOp>(dc.primitives()[0].op).points, points);
    EXPECT_EQ(dc.primitives()[1].state.pen, (fw::PenSpec{3, {1, 2, 3}}));
    EXPECT_EQ(
        SegmentsOf(dc.primitives()[0]),
        (std::vector<LineOp>{
            {{10, 10}, {20, 10}}, {{20, 10}, {20, 20}}, {{20, 20}, {30, 0}}, {{30, 0}, {40, 0}}}));
    EXPECT_EQ(
        SegmentsOf(dc.primitives()[1]),
        (std::vector<LineOp>{{{10, 10}, {20, 10}}, {{20, 10}, {20, 20}}, {{30, 0}, {40, 0}}}));
    EXPECT_EQ(SegmentsOf(dc.primitives()[2]), (std::vector<LineOp>{{{1, 1}, {2, 2}}}));
    EXPECT_TRUE(dc.balanced());
}

// What the platform would refuse or leave selected makes a paint unbalanced.
TEST(RecordingDC, UnmatchedSelectionsAndRefusedPolylinesAreReported) {
    const std::vector<fw::Point> three{{0, 0}, {1, 1}, {2, 2}};
    const std::vector<std::function<void(RecordingDC&)>> misuses = {
        [](RecordingDC& dc) { dc.popFont(); },
        [](RecordingDC& dc) { dc.pushTransparentBackground(); },
        [](RecordingDC& dc) {  // a mapping onto no pixels
            dc.pushMapping({4096, 4096}, {0, 768});
            dc.popMapping();
        },
        [&](RecordingDC& dc) { dc.polyline(std::span(three).first(1)); },
        [&](RecordingDC& dc) {
            dc.polyPolyline(three, std::vector<std::uint32_t>{2, 1});
        },
        [&](RecordingDC& dc) { dc.polyPolyline(three, std::vector<std::uint32_t>{2}); },
        [&](RecordingDC& dc) {
            dc.polyPolyline(three, std::vector<std::uint32_t>{2, 2});
        },
    };
    for (std::size_t i = 0; i < misuses.size(); ++i) {
        RecordingDC dc({0, 0, 10, 10});
        misuses[i](dc);
        EXPECT_FALSE(dc.balanced()) << i;
    }
    // Taken apart as far as the points go, never beyond them.
    RecordingDC tooMany({0, 0, 10, 10});
    tooMany.polyPolyline(three, std::vector<std::uint32_t>{2, 2});
    EXPECT_EQ(SegmentsOf(tooMany.primitives().at(0)), (std::vector<LineOp>{{{0, 0}, {1, 1}}}));
    RecordingDC fine({0, 0, 10, 10});
    fine.polyPolyline(three, std::vector<std::uint32_t>{3});
    EXPECT_TRUE(fine.balanced());
}
