// The layers of a paint in their order, each pinned at 1024 x 768: the background tiles, the D
// grid, the internal trace's target line, the prompt, the bars and the D overlay's ticks. The bars
// and the overlay of every stage, however long or wild the traces, are held against the plain
// painting in partial_repaint_test.cpp; these pins hold that yardstick to numbers written by hand.
#include <gtest/gtest.h>

#include <vector>

#include "framework/headless/recording_dc.h"
#include "framework/platform.h"
#include "res/resource.h"
#include "support/paint_fixture.h"

using headless::BlitOp;
using headless::LineOp;
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

TEST_F(MainPaint, TicksAtExtremeCoordinatesDoNotWrapAroundIntoTheWindow) {
    Open();
    dlg->m_showTraces = true;
    // A tick that wrapped past the 32-bit range would span the whole window at y = 300.
    Stroke({{0, 300}, {INT32_MAX - 5, 300}, {INT32_MIN + 5, 300}});
    EXPECT_EQ(Lines(Paint(), kRed),
              (std::vector<LineOp>{{{0, 300}, {INT32_MAX - 5, 300}},
                                   {{INT32_MAX - 5, 300}, {INT32_MIN + 5, 300}}}));
}

TEST_F(MainPaint, AfterTheFirstPassItsFourBarsFrameTheWindowEachToItsFarEnd) {
    Open();
    FillAllFour(0);
    FillAllFour(4);  // second-trace points are not shown in stage 4
    dlg->m_stage = stage::kFinished;
    const auto lines = Lines(Paint(), kBarColor);
    EXPECT_EQ(PolylineFrom(lines, {38, 0}),
              (std::vector<fw::Point>{{38, 0}, {38, 100}, {38, 3000}, {38, 4096}}));
    EXPECT_EQ(PolylineFrom(lines, {0, 4058}),
              (std::vector<fw::Point>{{0, 4058}, {100, 4058}, {3000, 4058}, {4096, 4058}}));
    EXPECT_EQ(PolylineFrom(lines, {4058, 4096}),
              (std::vector<fw::Point>{{4058, 4096}, {4058, 4000}, {4058, 1000}, {4058, 0}}));
    EXPECT_EQ(PolylineFrom(lines, {4096, 38}),
              (std::vector<fw::Point>{{4096, 38}, {4000, 38}, {1000, 38}, {0, 38}}));
    EXPECT_EQ(lines.size(), 12u);
}

TEST_F(MainPaint, OnlyTheInternalTraceShowsItsCurrentTargetLineInClientPixels) {
    Open();
    dlg->m_stage = stage::kInternalBottom;
    const RecordingDC dc = Paint();
    // 1024 / 75 = 13 pixels in from every side; segment 1 runs along the bottom.
    EXPECT_EQ(Lines(dc, kBlack), (std::vector<LineOp>{{{13, 755}, {1011, 755}}}));
    EXPECT_EQ(PenWidths(dc, kBlack), std::vector<std::int32_t>{3});
    for (const TraceStage s : {stage::kFinished, stage::kCount}) {
        dlg->m_stage = s;
        EXPECT_TRUE(Lines(Paint(), kBlack).empty()) << s;
    }
}
