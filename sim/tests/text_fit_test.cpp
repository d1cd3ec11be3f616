// The driver's clipping check on controls made here: each kind is cut off one pixel short of
// what its text needs, and fits with room for it. A check that passed everything would let every
// dialog pass its end-to-end run.
#include "driver/text_fit.h"

#include <gtest/gtest.h>

#include <string>

#include "common/wide_text.h"

namespace rtdriver {
namespace {

constexpr int kAmple = 600;

class TextFit : public ::testing::Test {
  protected:
    void SetUp() override {
        parent_.reset(CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 800, 200, nullptr, nullptr,
                                      nullptr, nullptr));
        font_.reset(CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                                0, 0, L"MS Shell Dlg"));
        ASSERT_NE(parent_, nullptr);
        ASSERT_NE(font_, nullptr);
    }

    // The parent's one control, made afresh with this class, text, style and size, measured.
    rtdriver::TextFit Measure(const wchar_t* className, const wchar_t* text, DWORD style, int width,
                              int height) {
        control_.reset(CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0,
                                       width, height, parent_.get(), nullptr, nullptr, nullptr));
        const auto fits = MeasureTexts(parent_.get(), font_.get());
        EXPECT_EQ(fits.size(), 1u);
        return fits.empty() ? rtdriver::TextFit{} : fits.front();
    }

    win32::UniqueWindow parent_;
    win32::UniqueWindow control_;
    Font font_;
};

TEST_F(TextFit, AStaticThatWrapsItsLastWordOutOfSightIsCutOff) {
    const wchar_t* label = L"Serial Number:";
    const LONG width = Measure(L"Static", label, SS_RIGHT, kAmple, 40).oneLine;
    ASSERT_GT(width, 0);
    EXPECT_TRUE(Measure(L"Static", label, SS_RIGHT, width, 13).fits);
    const rtdriver::TextFit cut = Measure(L"Static", label, SS_RIGHT, width - 1, 13);
    EXPECT_FALSE(cut.fits);
    EXPECT_GT(cut.needed.cy, 13);  // "Number:" went to a second line
}

TEST_F(TextFit, ButtonsNeedRoomForTheirBoxOrEdgesBesideTheText) {
    const wchar_t* label = L"Send Report to LUMORA Technologies Inc.";
    const LONG text = Measure(L"Button", label, BS_AUTOCHECKBOX, kAmple, 16).oneLine;
    const rtdriver::TextFit box = Measure(L"Button", label, BS_AUTOCHECKBOX, text, 16);
    EXPECT_FALSE(box.fits);
    EXPECT_GE(box.room.cx, text - 20);  // the box and its gap take about 16 pixels
    EXPECT_TRUE(Measure(L"Button", label, BS_AUTOCHECKBOX, text + (text - box.room.cx), 16).fits);

    const LONG browse = Measure(L"Button", L"Browse...", BS_PUSHBUTTON, kAmple, 20).oneLine;
    EXPECT_FALSE(Measure(L"Button", L"Browse...", BS_PUSHBUTTON, browse, 20).fits);
    EXPECT_TRUE(Measure(L"Button", L"Browse...", BS_PUSHBUTTON, browse + 8, 20).fits);
}

// Measured in a wrong font, every text check of a dialog would mean nothing.
TEST(TemplateFont, IsTheDialogFontOfTheProgramsTemplateOfThatCaption) {
    const std::wstring program = sim::ModuleFolder(nullptr) + L"rimtrace.exe";
    const Font font = TemplateFont(program, L"Save");
    ASSERT_NE(font, nullptr);
    LOGFONTW description{};
    ASSERT_NE(GetObjectW(font.get(), sizeof description, &description), 0);
    EXPECT_STREQ(description.lfFaceName, L"MS Shell Dlg");
    const HDC screen = GetDC(nullptr);
    EXPECT_EQ(description.lfHeight, -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(FindWindowW(nullptr, L"Save"), nullptr);  // searched without showing anything
    EXPECT_EQ(TemplateFont(program, L"No dialog has this caption"), nullptr);
}

}  // namespace
}  // namespace rtdriver
