// The numbers of a trace window: pen widths in board units, where the picture, the prompt and
// the icon go, and a window without area.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/paint_geometry.h"
#include "framework/headless/recording_dc.h"
#include "framework/platform.h"
#include "res/resource.h"
#include "support/paint_fixture.h"

using headless::BlitOp;
using headless::Mapping;
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
