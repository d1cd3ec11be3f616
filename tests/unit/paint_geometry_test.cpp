// The numbers of a trace window: pen widths in board units by window size, where the picture,
// the prompt and the icon go, and a window without area.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/paint_geometry.h"
#include "framework/headless/recording_dc.h"
#include "framework/platform.h"
#include "res/resource.h"
#include "support/paint_fixture.h"

using headless::BlitOp;
using headless::RecordingDC;
using headless::TextOp;

struct PenSizes {
    fw::Rect monitor;
    std::int32_t bar;      // 19 pixels in board units
    std::int32_t overlay;  // 1 pixel in board units
};

class PenWidthsBySize : public MainPaint, public ::testing::WithParamInterface<PenSizes> {};

TEST_P(PenWidthsBySize, BarsAreNineteenPixelsWideHalfAPenInFromTheEdgeAndTheOverlayOne) {
    const PenSizes& p = GetParam();
    OpenOn(p.monitor);
    dlg->m_stage = stage::kFinished;
    dlg->m_showTraces = true;
    FillAllFour(0);
    const RecordingDC dc = Paint();
    EXPECT_EQ(PenWidths(dc, kBarColor), std::vector<std::int32_t>{p.bar});
    EXPECT_EQ(PolylineFrom(Lines(dc, kBarColor), {p.bar / 2, 0}),
              (std::vector<fw::Point>{
                  {p.bar / 2, 0}, {p.bar / 2, 100}, {p.bar / 2, 3000}, {p.bar / 2, 4096}}));
    EXPECT_EQ(PenWidths(dc, kRed), std::vector<std::int32_t>{p.overlay});
}

INSTANTIATE_TEST_SUITE_P(Monitors, PenWidthsBySize,
                         ::testing::Values(PenSizes{{0, 0, 1024, 768}, 76, 4},
                                           PenSizes{{0, 0, 1280, 1024}, 60, 3},
                                           PenSizes{{0, 0, 1920, 1080}, 40, 2}));

TEST(PaintGeometry, AMinimisedWindowCentresItsIcon) {
    EXPECT_EQ(IconPosition({0, 0, 1024, 768}, {32, 32}), (fw::Point{496, 368}));
    EXPECT_EQ(IconPosition({0, 0, 37, 37}, {32, 32}), (fw::Point{3, 3}));
}

// At 1024 x 768 the 226 x 148 picture is centred and the prompt band starts 10 pixels below it,
// whatever the picture and the prompt are.
struct PictureAndPrompt {
    std::wstring prompt;
    unsigned picture;  // 0: none
    fw::Rect band;
    std::optional<fw::Rect> textBox;  // 8 x 18 pixels a character, centred
};

class PictureAndPromptPlaces : public MainPaint,
                               public ::testing::WithParamInterface<PictureAndPrompt> {};

TEST_P(PictureAndPromptPlaces, ThePictureKeepsItsPlaceAndThePromptIsCentredBelowIt) {
    const PictureAndPrompt& p = GetParam();
    Open();
    dlg->m_prompt = p.prompt;
    dlg->m_picture = p.picture != 0 ? fw::CurrentPlatform().loadBitmap(p.picture) : nullptr;
    const RecordingDC dc = Paint();
    const fw::Rect picture{399, 310, 625, 458};
    EXPECT_EQ(dlg->m_pictureRect, picture);
    EXPECT_EQ(dlg->m_promptRect, p.band);
    const auto texts = Ops<TextOp>(dc);
    ASSERT_EQ(texts.size(), p.textBox ? 1u : 0u);
    if (p.textBox) {
        EXPECT_EQ(texts[0].text, p.prompt);
        EXPECT_EQ(texts[0].box, *p.textBox);
    }
    const auto blits = Ops<BlitOp>(dc);
    ASSERT_EQ(blits.size(), Blits(dc, IDB_BACKGROUND).size() + (p.picture != 0 ? 1 : 0));
    if (p.picture != 0) {  // a wider picture loses its rightmost columns
        EXPECT_EQ(Blits(dc, p.picture).at(0).dest, picture);
        EXPECT_EQ(Blits(dc, p.picture).at(0).source, (fw::Point{0, 0}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    At1024x768, PictureAndPromptPlaces,
    ::testing::Values(
        PictureAndPrompt{
            L"abcd", IDB_TRACE_LEFT, {0, 468, 1024, 486}, fw::Rect{494, 468, 530, 486}},
        PictureAndPrompt{L"abcd", 0, {0, 468, 1024, 486}, fw::Rect{494, 468, 530, 486}},
        PictureAndPrompt{
            L"abcd", IDB_TRACE_RIGHT, {0, 468, 1024, 486}, fw::Rect{494, 468, 530, 486}},
        PictureAndPrompt{L"", IDB_TRACE_LEFT, {0, 468, 1024, 468}, std::nullopt},
        PictureAndPrompt{std::wstring(200, L'x'),
                         IDB_TRACE_LEFT,
                         {0, 468, 1024, 486},
                         fw::Rect{-388, 468, 1412, 486}}));

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
