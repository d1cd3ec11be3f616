#include <gtest/gtest.h>

#include "trace/segment_strip.h"

namespace {
const fw::Rect k1024{0, 0, 1024, 768};
const fw::Rect k1920{0, 0, 1920, 1080};
const fw::Rect k8k{0, 0, 7680, 4320};  // an 8K panel: wider and higher than 4096 pixels
}  // namespace

TEST(SegmentBox, ScalesBoardUnitsToPixelsAndGrowsBy19) {
    // 1024 x 768: 0.25 and 0.1875 pixels per board unit; 1200 * 0.1875 = 225.
    EXPECT_EQ(SegmentBox({120, 1200}, {100, 1000}, k1024), (fw::Rect{6, 168, 49, 244}));
    // 1920 x 1080: 0.46875 and 0.263671875; fractions are truncated.
    EXPECT_EQ(SegmentBox({1000, 4000}, {1100, 4010}, k1920), (fw::Rect{449, 1035, 534, 1076}));
}

TEST(SegmentBox, ExtremeCoordinatesSaturateInsteadOfOverflowing) {
    const fw::Rect r = SegmentBox({INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, k1920);
    EXPECT_LT(r.left, 0);
    EXPECT_GT(r.right, 0);
    EXPECT_LE(r.left, r.right);
    EXPECT_LE(r.top, r.bottom);
}

TEST(FeedbackStrip, BezelEdgesRepaintTheirBarAlongTheSegment) {
    const fw::Rect box{6, 168, 49, 244};
    EXPECT_EQ(FeedbackStrip(0, box, k1024, 5, false), (fw::Rect{0, 168, 19, 244}));
    EXPECT_EQ(FeedbackStrip(5, box, k1024, 5, false), (fw::Rect{0, 168, 19, 244}));
    EXPECT_EQ(FeedbackStrip(1, box, k1024, 5, false), (fw::Rect{6, 749, 49, 768}));
    EXPECT_EQ(FeedbackStrip(6, box, k1920, 5, false), (fw::Rect{6, 1061, 49, 1080}));
    EXPECT_EQ(FeedbackStrip(2, box, k1024, 5, false), (fw::Rect{1005, 168, 1024, 244}));
    EXPECT_EQ(FeedbackStrip(7, box, k1920, 5, false), (fw::Rect{1901, 168, 1920, 244}));
    EXPECT_EQ(FeedbackStrip(3, box, k1024, 5, false), (fw::Rect{6, 0, 49, 19}));
    EXPECT_EQ(FeedbackStrip(8, box, k1920, 5, false), (fw::Rect{6, 0, 49, 19}));
}

TEST(FeedbackStrip, TheFirstSegmentReachesBackToTheEdgesStart) {
    const fw::Rect box{100, 200, 300, 400};
    EXPECT_EQ(FeedbackStrip(0, box, k1024, 2, false).top, 0);
    EXPECT_EQ(FeedbackStrip(1, box, k1024, 2, false).left, 0);
    EXPECT_EQ(FeedbackStrip(2, box, k1024, 2, false).bottom, 4096);
    EXPECT_EQ(FeedbackStrip(3, box, k1024, 2, false).right, 4096);
    EXPECT_EQ(FeedbackStrip(7, box, k1920, 2, false).bottom, 4096);
    // Beyond 4096 pixels the right and top bars start at the window's own far edge.
    EXPECT_EQ(FeedbackStrip(2, box, k8k, 2, false), (fw::Rect{7661, 200, 7680, 4320}));
    EXPECT_EQ(FeedbackStrip(3, box, k8k, 2, false), (fw::Rect{100, 0, 7680, 19}));
}

TEST(FeedbackStrip, ACompletedEdgeReachesItsFarEnd) {
    const fw::Rect box{100, 200, 300, 400};
    EXPECT_EQ(FeedbackStrip(0, box, k1024, 9, true), (fw::Rect{0, 200, 19, 4096}));
    EXPECT_EQ(FeedbackStrip(1, box, k1024, 9, true), (fw::Rect{100, 749, 4096, 768}));
    EXPECT_EQ(FeedbackStrip(2, box, k1024, 9, true), (fw::Rect{1005, 0, 1024, 400}));
    EXPECT_EQ(FeedbackStrip(3, box, k1024, 9, true), (fw::Rect{0, 0, 300, 19}));
    // A one-segment edge completed at once gets both ends.
    EXPECT_EQ(FeedbackStrip(8, box, k1920, 2, true), (fw::Rect{0, 0, 4096, 19}));
    // Beyond 4096 pixels the left and bottom bars end at the window's far edge, also when the
    // last segment lies beyond pixel 4096.
    const fw::Rect farBox{7500, 4200, 7600, 4300};
    EXPECT_EQ(FeedbackStrip(0, farBox, k8k, 9, true), (fw::Rect{0, 4200, 19, 4320}));
    EXPECT_EQ(FeedbackStrip(1, farBox, k8k, 9, true), (fw::Rect{7500, 4301, 7680, 4320}));
}

TEST(FeedbackStrip, InternalLinesRepaintABandAroundTheirTargetLine) {
    const fw::Rect box{100, 200, 300, 400};
    // 1024 x 768: x = 13 and 1010, y = 757 and 10.
    EXPECT_EQ(FeedbackStrip(9, box, k1024, 5, false), (fw::Rect{-6, 200, 32, 400}));
    EXPECT_EQ(FeedbackStrip(10, box, k1024, 5, false), (fw::Rect{100, 738, 300, 776}));
    EXPECT_EQ(FeedbackStrip(11, box, k1024, 5, false), (fw::Rect{991, 200, 1029, 400}));
    EXPECT_EQ(FeedbackStrip(12, box, k1024, 5, true), (fw::Rect{100, -9, 300, 29}));
    // 1920 x 1080: x = 25 and 1894, y = 1065 and 14.
    EXPECT_EQ(FeedbackStrip(9, box, k1920, 2, true), (fw::Rect{6, 200, 44, 400}));
    EXPECT_EQ(FeedbackStrip(10, box, k1920, 5, false), (fw::Rect{100, 1046, 300, 1084}));
    EXPECT_EQ(FeedbackStrip(11, box, k1920, 5, false), (fw::Rect{1875, 200, 1913, 400}));
    EXPECT_EQ(FeedbackStrip(12, box, k1920, 5, false), (fw::Rect{100, -5, 300, 33}));
}

TEST(FeedbackStrip, ExtraStrokesRepaintOnlyTheSegmentBox) {
    const fw::Rect box{100, 200, 300, 400};
    EXPECT_EQ(FeedbackStrip(4, box, k1024, 2, true), box);
    EXPECT_EQ(FeedbackStrip(13, box, k1024, 5, false), box);
}
