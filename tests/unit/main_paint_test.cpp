#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/bar_plan.h"
#include "app/paint_geometry.h"
#include "framework/headless/recording_dc.h"
#include "framework/platform.h"
#include "res/resource.h"
#include "support/paint_fixture.h"

using headless::BlitOp;
using headless::LineOp;
using headless::Mapping;
using headless::PolylineOp;
using headless::PolyPolylineOp;
using headless::Primitive;
using headless::RecordingDC;
using headless::TextOp;

// --- the numbers of a window ---

TEST_F(MainPaint, At1024x768TheBarPenIs76BoardUnitsAndTheOverlayPen4) {
    Open();
    dlg->m_stage = stage::kFinished;
    dlg->m_showTraces = true;
    FillAllFour(0);
    const RecordingDC dc = Paint();
    EXPECT_EQ(PenWidths(dc, kBarColor), std::vector<std::int32_t>{76});
    EXPECT_EQ(PolylineFrom(Lines(dc, kBarColor), {38, 0}),
              (std::vector<fw::Point>{{38, 0}, {38, 100}, {38, 3000}, {38, 4096}}));
    EXPECT_EQ(PenWidths(dc, kRed), std::vector<std::int32_t>{4});
}

TEST_F(MainPaint, At1024x768ThePictureIsCentredAndThePromptBandStarts10PixelsBelowIt) {
    Open();
    dlg->m_prompt = L"abcd";
    const RecordingDC dc = Paint();
    EXPECT_EQ(dlg->m_pictureRect, (fw::Rect{399, 310, 625, 458}));
    EXPECT_EQ(dlg->m_promptRect, (fw::Rect{0, 468, 1024, 486}));
    const auto texts = Ops<TextOp>(dc);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, L"abcd");
    EXPECT_EQ(texts[0].box, (fw::Rect{494, 468, 530, 486}));  // 36 px wide, centred
}

TEST_F(MainPaint, At1280x1024TheBarPenIs60BoardUnitsAndTheOverlayPen3) {
    OpenOn({0, 0, 1280, 1024});
    dlg->m_stage = stage::kFinished;
    dlg->m_showTraces = true;
    FillAllFour(0);
    const RecordingDC dc = Paint();
    EXPECT_EQ(PenWidths(dc, kBarColor), std::vector<std::int32_t>{60});
    EXPECT_FALSE(PolylineFrom(Lines(dc, kBarColor), {30, 0}).empty());
    EXPECT_FALSE(PolylineFrom(Lines(dc, kBarColor), {4096, 30}).empty());
    EXPECT_EQ(PenWidths(dc, kRed), std::vector<std::int32_t>{3});
}

TEST_F(MainPaint, BoardSpaceIsMappedOntoTheWholeWindow) {
    Open();
    Fill(0, {{20, 100}});
    const RecordingDC dc = Paint();
    for (const Primitive& p : dc.primitives()) {
        if (HasPen(p.state, kBarColor)) {
            EXPECT_EQ(p.state.mapping, (Mapping{{4096, 4096}, {1024, 768}}));
        } else {
            EXPECT_FALSE(p.state.mapping.has_value());
        }
    }
}

TEST(PaintGeometry, AMinimisedWindowCentresItsIcon) {
    EXPECT_EQ(IconPosition({0, 0, 1024, 768}, {32, 32}), (fw::Point{496, 368}));
    EXPECT_EQ(IconPosition({0, 0, 37, 37}, {32, 32}), (fw::Point{3, 3}));
}

// --- progress bars by stage ---

TEST_F(MainPaint, InStage0TheLeftBarEndsAtTheLatestPoint) {
    Open();
    Fill(0, {{20, 100}, {25, 1000}, {21, 2048}});
    const RecordingDC dc = Paint();
    EXPECT_EQ(Lines(dc, kBarColor),
              (std::vector<LineOp>{
                  {{38, 0}, {38, 100}}, {{38, 100}, {38, 1000}}, {{38, 1000}, {38, 2048}}}));
}

TEST_F(MainPaint, OnceTheLeftEdgeIsDoneItsBarReachesTheBottom) {
    Open();
    Fill(0, {{20, 100}, {25, 1000}, {21, 2048}});
    dlg->m_stage = stage::kFirstBottom;
    const auto bar = PolylineFrom(Lines(Paint(), kBarColor), {38, 0});
    EXPECT_EQ(bar,
              (std::vector<fw::Point>{{38, 0}, {38, 100}, {38, 1000}, {38, 2048}, {38, 4096}}));
}

TEST_F(MainPaint, InStage4TheFourFirstTraceBarsFrameTheWindow) {
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

TEST_F(MainPaint, AnEdgeWithoutPointsHasNoBar) {
    Open();
    Fill(0, {{20, 100}, {22, 3000}});
    Fill(2, {{4070, 4000}});
    dlg->m_stage = stage::kFinished;
    const auto lines = Lines(Paint(), kBarColor);
    EXPECT_EQ(lines.size(), 3u + 2u);  // left with finish, right's one point with finish
    EXPECT_TRUE(PolylineFrom(lines, {0, 4058}).empty());
    EXPECT_TRUE(PolylineFrom(lines, {4096, 38}).empty());
}

TEST_F(MainPaint, SecondTraceBarsAreFinishedOnlyOnceTheTraceHasMovedPastTheirEdge) {
    Open();
    Fill(0, {{20, 500}});  // first-trace points are not shown in the second trace
    Fill(4, {{20, 100}});
    Fill(5, {{100, 4070}});
    Fill(6, {{4070, 4000}});
    Fill(7, {{4000, 20}});
    dlg->m_stage = stage::kSecondBottom;
    auto lines = Lines(Paint(), kBarColor);
    EXPECT_EQ(PolylineFrom(lines, {38, 0}),
              (std::vector<fw::Point>{{38, 0}, {38, 100}, {38, 4096}}));
    EXPECT_EQ(PolylineFrom(lines, {0, 4058}), (std::vector<fw::Point>{{0, 4058}, {100, 4058}}));
    EXPECT_EQ(lines.size(), 5u);

    dlg->m_stage = stage::kSecondTop;
    lines = Lines(Paint(), kBarColor);
    EXPECT_EQ(PolylineFrom(lines, {4058, 4096}),
              (std::vector<fw::Point>{{4058, 4096}, {4058, 4000}, {4058, 0}}));
    EXPECT_EQ(PolylineFrom(lines, {4096, 38}), (std::vector<fw::Point>{{4096, 38}, {4000, 38}}));
}

TEST(BarPlan, EachPassFinishesExactlyTheEdgesItHasMovedPast) {
    const auto finished = [](TraceStage s) {
        std::string flags;
        for (const BarPlan& bar : PlanBars(s, 38)) {
            flags += bar.finish ? 'F' : '-';
        }
        return flags;
    };
    EXPECT_EQ(finished(0), "----");
    EXPECT_EQ(finished(2), "FF--");
    EXPECT_EQ(finished(4), "FFFF");
    EXPECT_EQ(finished(5), "----");
    EXPECT_EQ(finished(7), "FF--");
    EXPECT_EQ(finished(8), "FFF-");
    EXPECT_EQ(finished(9), "----");
    EXPECT_EQ(finished(12), "----");
    EXPECT_TRUE(PlanBars(-1, 38).empty());
    EXPECT_TRUE(PlanBars(13, 38).empty());
}

TEST_F(MainPaint, InternalTraceBarsRunThroughTheirPointsAt54And4042) {
    Open();
    Fill(8, {{60, 100}, {70, 500}, {65, 900}});
    Fill(9, {{100, 4030}, {600, 4050}});
    Fill(10, {{4030, 4000}, {4050, 3000}});
    Fill(11, {{4000, 60}, {3000, 50}});
    FillAllFour(0);  // first-trace bars are not shown in the internal trace
    dlg->m_stage = stage::kInternalBottom;
    EXPECT_EQ(Lines(Paint(), kBarColor), (std::vector<LineOp>{{{54, 100}, {54, 500}},
                                                              {{54, 500}, {54, 900}},
                                                              {{100, 4042}, {600, 4042}},
                                                              {{4042, 4000}, {4042, 3000}},
                                                              {{4000, 54}, {3000, 54}}}));
}

TEST_F(MainPaint, AnInternalLineWithOnePointDrawsNoBar) {
    Open();
    Fill(8, {{60, 100}});
    dlg->m_stage = stage::kInternalLeft;
    EXPECT_TRUE(Lines(Paint(), kBarColor).empty());
}

TEST_F(MainPaint, TheInternalTraceShowsItsCurrentTargetLineInClientPixels) {
    Open();
    dlg->m_stage = stage::kInternalBottom;
    const RecordingDC dc = Paint();
    // 1024 / 75 = 13 pixels in from every side; segment 1 runs along the bottom.
    EXPECT_EQ(Lines(dc, kBlack), (std::vector<LineOp>{{{13, 755}, {1011, 755}}}));
    EXPECT_EQ(PenWidths(dc, kBlack), std::vector<std::int32_t>{3});
    dlg->m_stage = stage::kFinished;
    EXPECT_TRUE(Lines(Paint(), kBlack).empty());
}

TEST_F(MainPaint, AStageOutsideTheSequenceDrawsNoBarsAndNoTargetLine) {
    Open();
    FillAllFour(0);
    dlg->m_stage = stage::kCount;
    const RecordingDC dc = Paint();
    EXPECT_TRUE(Lines(dc, kBarColor).empty());
    EXPECT_TRUE(Lines(dc, kBlack).empty());
    EXPECT_TRUE(dc.balanced());
}

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

// --- layers and the context ---

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

TEST_F(MainPaint, EverySelectionIsRestoredWhateverIsShown) {
    Open();
    FillAllFour(0);
    Stroke({{1000, 1000}, {1100, 1200}});
    for (TraceStage s : {0, 4, 6, 11}) {
        for (bool traces : {false, true}) {
            dlg->m_stage = s;
            dlg->m_showTraces = traces;
            const RecordingDC dc = Paint();
            EXPECT_TRUE(dc.balanced()) << "stage " << s << " traces " << traces;
            EXPECT_TRUE(dc.errors().empty());
        }
    }
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

TEST_F(MainPaint, TheGridDrawsAllVerticalLinesThenAllHorizontalOnes) {
    Open();
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

// --- picture and prompt ---

TEST_F(MainPaint, AnEmptyPromptDrawsNothingAndHasAZeroHeightBand) {
    Open();
    dlg->m_prompt.clear();
    const RecordingDC dc = Paint();
    EXPECT_TRUE(Ops<TextOp>(dc).empty());
    EXPECT_EQ(dlg->m_promptRect, (fw::Rect{0, 468, 1024, 468}));
}

TEST_F(MainPaint, WithoutAPictureThePromptStaysWhereItWas) {
    Open();
    ASSERT_EQ(Blits(Paint(), IDB_TRACE_LEFT).size(), 1u);
    const fw::Rect band = dlg->m_promptRect;
    dlg->m_picture.reset();
    const RecordingDC dc = Paint();
    EXPECT_EQ(Ops<BlitOp>(dc).size(), Blits(dc, IDB_BACKGROUND).size());
    EXPECT_EQ(dlg->m_pictureRect, (fw::Rect{399, 310, 625, 458}));
    EXPECT_EQ(dlg->m_promptRect, band);
    EXPECT_EQ(Ops<TextOp>(dc).at(0).box.top, 468);
}

TEST_F(MainPaint, AWidePictureLosesItsRightmostColumn) {
    Open();
    dlg->m_picture = fw::CurrentPlatform().loadBitmap(IDB_TRACE_RIGHT);  // 227 pixels wide
    const auto blits = Blits(Paint(), IDB_TRACE_RIGHT);
    ASSERT_EQ(blits.size(), 1u);
    EXPECT_EQ(blits[0].dest, (fw::Rect{399, 310, 625, 458}));
    EXPECT_EQ(blits[0].source, (fw::Point{0, 0}));
}

TEST_F(MainPaint, APromptWiderThanTheWindowStartsLeftOfIt) {
    Open();
    dlg->m_prompt = std::wstring(200, L'x');  // 1800 pixels
    const auto texts = Ops<TextOp>(Paint());
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].box, (fw::Rect{-388, 468, 1412, 486}));
    EXPECT_EQ(dlg->m_promptRect, (fw::Rect{0, 468, 1024, 486}));
}

// --- a window without area ---

class ZeroSizeWindow : public MainPaint, public ::testing::WithParamInterface<fw::Rect> {};

TEST_P(ZeroSizeWindow, DrawsNoBoardSpaceAndStaysBalanced) {
    OpenOn(GetParam());
    FillAllFour(0);
    Stroke({{1000, 1000}, {1100, 1200}});
    dlg->m_stage = stage::kFinished;
    dlg->m_showTraces = true;
    const RecordingDC dc = Paint();
    EXPECT_TRUE(Lines(dc, kBarColor).empty());
    EXPECT_TRUE(Lines(dc, kRed).empty());
    EXPECT_TRUE(dc.balanced());
    EXPECT_EQ(dlg->m_pictureRect.left, (GetParam().right - 226) / 2);
}

INSTANTIATE_TEST_SUITE_P(Monitors, ZeroSizeWindow,
                         ::testing::Values(fw::Rect{0, 0, 0, 0}, fw::Rect{0, 0, 0, 768},
                                           fw::Rect{0, 0, 800, 0}));
