// The recording context the paint tests read: what it reports must not let a faulty paint pass.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "framework/headless/recording_dc.h"

using headless::LineOp;
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
