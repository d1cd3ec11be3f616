// The layers of a paint in their order, each pinned at 1024 x 768: the background tiles, the D
// grid, the prompt, and the D overlay of every point of every array and extra stroke.
#include <gtest/gtest.h>

#include <vector>

#include "framework/headless/recording_dc.h"
#include "framework/platform.h"
#include "res/resource.h"
#include "support/paint_fixture.h"

using headless::BlitOp;
using headless::LineOp;
using headless::PolylineOp;
using headless::PolyPolylineOp;
using headless::Primitive;
using headless::RecordingDC;
using headless::TextOp;

TEST_F(MainPaint, LayersAreDrawnBottomToTop) {
    Open();
    dlg->m_stage = stage::kInternalBottom;
    dlg->m_showTraces = true;
    dlg->m_picture = fw::CurrentPlatform().loadBitmap(IDB_TRACE_LEFT);
    Fill(9, {{100, 4030}, {600, 4050}});
    Stroke({{1000, 1000}, {1100, 1200}});
    const RecordingDC dc = Paint();
    // 0 tiles, 1 grid, 2 target line, 3 picture and prompt, 4 bars, 5 overlay
    const auto layer = [](const Primitive& p) {
        if (const auto* blit = std::get_if<BlitOp>(&p.op)) {
            return blit->resourceId == IDB_BACKGROUND ? 0 : 3;
        }
        if (std::holds_alternative<TextOp>(p.op)) {
            return 3;
        }
        if (HasPen(p.state, kGray)) {
            return 1;
        }
        if (HasPen(p.state, kBlack)) {
            return 2;
        }
        return HasPen(p.state, kBarColor) ? 4 : 5;
    };
    std::vector<int> layers;
    for (const Primitive& p : dc.primitives()) {
        if (layers.empty() || layers.back() != layer(p)) {
            layers.push_back(layer(p));
        }
    }
    EXPECT_EQ(layers, (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

TEST_F(MainPaint, ThePromptIsBoldTransparentTextWithoutAMapping) {
    Open();
    const RecordingDC dc = Paint();
    ASSERT_EQ(dc.primitives().size(), Blits(dc, IDB_BACKGROUND).size() + 2);  // picture, prompt
    const Primitive& text = dc.primitives().back();
    ASSERT_TRUE(std::holds_alternative<TextOp>(text.op));
    EXPECT_EQ(text.state.font, (fw::FontSpec{-18, 700}));
    EXPECT_TRUE(text.state.transparent);
    EXPECT_FALSE(text.state.mapping.has_value());
    EXPECT_FALSE(dc.primitives().front().state.transparent);
}

TEST_F(MainPaint, TheBackgroundTileCoversTheWindowFromTheTopLeftCorner) {
    Open();
    const auto tiles = Blits(Paint(), IDB_BACKGROUND);
    ASSERT_EQ(tiles.size(), 6u * 6u);  // 0..975 across, 0..750 down
    EXPECT_EQ(tiles.front().dest, (fw::Rect{0, 0, 195, 150}));
    EXPECT_EQ(tiles[1].dest, (fw::Rect{195, 0, 390, 150}));
    EXPECT_EQ(tiles.back().dest, (fw::Rect{975, 750, 1170, 900}));
    EXPECT_EQ(tiles.back().source, (fw::Point{0, 0}));
}

TEST_F(MainPaint, TheGridOfDDrawsAllVerticalLinesThenAllHorizontalOnes) {
    Open();
    EXPECT_TRUE(Lines(Paint(), kGray).empty());
    dlg->m_showTraces = true;
    const RecordingDC dc = Paint();
    const auto grid = Lines(dc, kGray);
    ASSERT_EQ(grid.size(), 51u + 38u);  // x = 20 .. 1020, y = 20 .. 760
    EXPECT_EQ(grid.front(), (LineOp{{20, 0}, {20, 768}}));
    EXPECT_EQ(grid[50], (LineOp{{1020, 0}, {1020, 768}}));
    EXPECT_EQ(grid[51], (LineOp{{0, 20}, {1024, 20}}));
    EXPECT_EQ(grid.back(), (LineOp{{0, 760}, {1024, 760}}));
    EXPECT_EQ(PenWidths(dc, kGray), std::vector<std::int32_t>{1});
}

TEST_F(MainPaint, AThreePointExtraStrokeShowsTwoSegmentsAndTwoCrossesInTwoCalls) {
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
    // The line as one polyline, the four ticks as one poly-polyline.
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

TEST_F(MainPaint, TicksAtExtremeCoordinatesDoNotWrapAroundIntoTheWindow) {
    Open();
    dlg->m_showTraces = true;
    // A tick that wrapped past the 32-bit range would span the whole window at y = 300.
    Stroke({{0, 300}, {INT32_MAX - 5, 300}, {INT32_MIN + 5, 300}});
    EXPECT_EQ(Lines(Paint(), kRed),
              (std::vector<LineOp>{{{0, 300}, {INT32_MAX - 5, 300}},
                                   {{INT32_MAX - 5, 300}, {INT32_MIN + 5, 300}}}));
}
