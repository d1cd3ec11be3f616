// The D overlay: every point of every array and free stroke, with its ticks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/paint_geometry.h"
#include "framework/headless/recording_dc.h"
#include "framework/platform.h"
#include "res/resource.h"
#include "support/paint_fixture.h"

using headless::LineOp;
using headless::PolylineOp;
using headless::PolyPolylineOp;
using headless::Primitive;
using headless::RecordingDC;

// --- the point overlay ---

TEST_F(MainPaint, AThreePointExtraStrokeShowsTwoSegmentsAndTwoCrosses) {
    Open();
    dlg->m_stage = stage::kFinished;
    dlg->m_showTraces = true;
    Stroke({{1000, 1000}, {1100, 1200}, {900, 1300}});
    const RecordingDC dc = Paint();
    // The stroke's line, then its ticks: one pen, so the order changes no pixel.
    EXPECT_EQ(Lines(dc, kRed), (std::vector<LineOp>{{{1000, 1000}, {1100, 1200}},
                                                    {{1100, 1200}, {900, 1300}},
                                                    {{1100, 1190}, {1100, 1210}},
                                                    {{1090, 1200}, {1110, 1200}},
                                                    {{900, 1290}, {900, 1310}},
                                                    {{890, 1300}, {910, 1300}}}));
    // In two calls: the line as one polyline, the four ticks as one poly-polyline.
    std::vector<const Primitive*> red;
    for (const Primitive& p : dc.primitives()) {
        if (HasPen(p.state, kRed)) {
            red.push_back(&p);
        }
    }
    ASSERT_EQ(red.size(), 2u);
    EXPECT_TRUE(std::holds_alternative<PolylineOp>(red[0]->op));
    EXPECT_EQ(std::get<PolyPolylineOp>(red[1]->op).counts,
              (std::vector<std::uint32_t>{2, 2, 2, 2}));
}

TEST_F(MainPaint, AOnePointStrokeShowsNothing) {
    Open();
    dlg->m_showTraces = true;
    Stroke({{1000, 1000}});
    Fill(3, {{2000, 20}});
    EXPECT_TRUE(Lines(Paint(), kRed).empty());
}

TEST_F(MainPaint, TraceTicksCrossTheEdgeAndArraysFollowTheirOrder) {
    Open();
    dlg->m_showTraces = true;
    Fill(11, {{3000, 60}, {2900, 50}});   // internal top: vertical tick
    Fill(0, {{20, 100}, {25, 400}});      // first left: horizontal tick
    Fill(5, {{100, 4070}, {300, 4075}});  // second bottom: vertical tick
    EXPECT_EQ(Lines(Paint(), kRed), (std::vector<LineOp>{{{20, 100}, {25, 400}},
                                                         {{15, 400}, {35, 400}},
                                                         {{100, 4070}, {300, 4075}},
                                                         {{300, 4065}, {300, 4085}},
                                                         {{3000, 60}, {2900, 50}},
                                                         {{2900, 40}, {2900, 60}}}));
}

TEST_F(MainPaint, WithoutShowTracesThereIsNoGridAndNoOverlay) {
    Open();
    Fill(0, {{20, 100}, {25, 400}});
    Stroke({{1000, 1000}, {1100, 1200}});
    const RecordingDC dc = Paint();
    EXPECT_TRUE(Lines(dc, kRed).empty());
    EXPECT_TRUE(Lines(dc, kGray).empty());
}

TEST_F(MainPaint, TicksAtExtremeCoordinatesDoNotWrapAroundIntoTheWindow) {
    Open();
    dlg->m_showTraces = true;
    // A tick that wrapped past the 32-bit range would span the whole window at y = 300.
    Stroke({{0, 300}, {INT32_MAX - 5, 300}, {INT32_MIN + 5, 300}});
    EXPECT_EQ(Lines(Paint(), kRed),
              (std::vector<LineOp>{{{0, 300}, {INT32_MAX - 5, 300}},
                                   {{INT32_MAX - 5, 300}, {INT32_MIN + 5, 300}}}));
}
