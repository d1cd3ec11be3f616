#include <gtest/gtest.h>

#include "framework/headless/recording_dc.h"

using headless::LineOp;
using headless::Mapping;
using headless::RecordingDC;

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

TEST(RecordingDC, UnmatchedPushesAndPopsAreReported) {
    RecordingDC popped({0, 0, 10, 10});
    popped.popFont();
    EXPECT_FALSE(popped.balanced());
    EXPECT_EQ(popped.errors().size(), 1u);

    RecordingDC left({0, 0, 10, 10});
    left.pushTransparentBackground();
    EXPECT_FALSE(left.balanced());
    left.popBackgroundMode();
    EXPECT_TRUE(left.balanced());

    RecordingDC empty({0, 0, 10, 10});
    empty.pushMapping({4096, 4096}, {0, 768});
    empty.popMapping();
    EXPECT_FALSE(empty.balanced());
}

TEST(RecordingDC, TextIsMeasuredAtHalfTheFontHeightPerCharacter) {
    RecordingDC dc({0, 0, 10, 10});
    dc.pushFont({-18, 700});
    EXPECT_EQ(dc.textExtent(L"abcd"), (fw::Size{36, 18}));
    EXPECT_EQ(dc.textExtent(L""), (fw::Size{0, 0}));
    dc.popFont();
}
