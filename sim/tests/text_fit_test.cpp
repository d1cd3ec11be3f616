// The clipping check of the driver on controls made here: each kind is cut off one pixel short
// of what its text needs, and not when it has room.
#include "driver/text_fit.h"

#include <gtest/gtest.h>

#include <string>

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

    // One control of the parent, alone; the parent's others are taken away first.
    void Make(const wchar_t* className, const wchar_t* text, DWORD style, int width, int height,
              bool visible = true) {
        control_.reset(CreateWindowExW(
            0, className, text, WS_CHILD | style | (visible ? WS_VISIBLE : 0), 0, 0, width, height,
            parent_.get(), reinterpret_cast<HMENU>(7), nullptr, nullptr));
        ASSERT_NE(control_, nullptr);
    }

    std::vector<rtdriver::TextFit> Measure() const {
        return MeasureTexts(parent_.get(), font_.get());
    }

    // What the text of a control of this class and style needs across, on one line.
    LONG OneLine(const wchar_t* className, const wchar_t* text, DWORD style) {
        Make(className, text, style, kAmple, 40);
        const auto fits = Measure();
        return fits.empty() ? 0 : fits.front().oneLine;
    }

    win32::UniqueWindow parent_;
    win32::UniqueWindow control_;
    Font font_;
};

TEST_F(TextFit, StaticThatWrapsTheLastWordOutOfSightIsCutOff) {
    const wchar_t* label = L"Serial Number:";
    const LONG width = OneLine(L"Static", label, SS_RIGHT);
    ASSERT_GT(width, 0);
    Make(L"Static", label, SS_RIGHT, width, 13);
    auto fits = Measure();
    ASSERT_EQ(fits.size(), 1u);
    EXPECT_TRUE(fits[0].fits) << fits[0].needed.cx << "x" << fits[0].needed.cy;
    EXPECT_EQ(fits[0].id, 7);
    EXPECT_EQ(fits[0].kind, L"static");
    EXPECT_EQ(fits[0].text, label);

    Make(L"Static", label, SS_RIGHT, width - 1, 13);
    fits = Measure();
    ASSERT_EQ(fits.size(), 1u);
    EXPECT_FALSE(fits[0].fits);
    EXPECT_GT(fits[0].needed.cy, 13);  // "Number:" went to a second line
}

TEST_F(TextFit, StaticWithRoomForItsLinesFits) {
    const wchar_t* text = L"The tracing is too fast.  Move back and continue tracing more slowly.";
    const LONG width = OneLine(L"Static", text, SS_LEFT);
    Make(L"Static", text, SS_LEFT, width * 2 / 3, 60);
    const auto fits = Measure();
    ASSERT_EQ(fits.size(), 1u);
    EXPECT_TRUE(fits[0].fits);
    EXPECT_GT(fits[0].needed.cy, 20);  // on two lines
}

TEST_F(TextFit, CheckBoxNeedsRoomForItsBoxBesideTheText) {
    const wchar_t* label = L"Send Report to LUMORA Technologies Inc.";
    const LONG text = OneLine(L"Button", label, BS_AUTOCHECKBOX);
    Make(L"Button", label, BS_AUTOCHECKBOX, text, 16);
    auto fits = Measure();
    ASSERT_EQ(fits.size(), 1u);
    EXPECT_EQ(fits[0].kind, L"check box");
    EXPECT_FALSE(fits[0].fits);
    EXPECT_GE(fits[0].room.cx, text - 20);  // the box and its gap take about 16 pixels
    Make(L"Button", label, BS_AUTOCHECKBOX, text + (text - fits[0].room.cx), 16);
    fits = Measure();
    ASSERT_EQ(fits.size(), 1u);
    EXPECT_TRUE(fits[0].fits);
}

TEST_F(TextFit, PushButtonNeedsRoomForItsEdges) {
    const LONG text = OneLine(L"Button", L"Browse...", BS_PUSHBUTTON);
    Make(L"Button", L"Browse...", BS_PUSHBUTTON, text, 20);
    auto fits = Measure();
    ASSERT_EQ(fits.size(), 1u);
    EXPECT_EQ(fits[0].kind, L"button");
    EXPECT_FALSE(fits[0].fits);
    Make(L"Button", L"Browse...", BS_PUSHBUTTON, text + 8, 20);
    fits = Measure();
    ASSERT_EQ(fits.size(), 1u);
    EXPECT_TRUE(fits[0].fits);
}

TEST_F(TextFit, HiddenControlsAndEditsAreNotMeasured) {
    Make(L"Button", L"Perform second trace and analyze.", BS_AUTOCHECKBOX, 10, 10, false);
    EXPECT_TRUE(Measure().empty());
    Make(L"Edit", L"a long text in a narrow edit box", ES_AUTOHSCROLL, 10, 20);
    EXPECT_TRUE(Measure().empty());
}

std::wstring Beside(const wchar_t* name) {
    wchar_t self[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

TEST(TemplateFont, IsTheDialogFontOfTheProgramsTemplateOfThatCaption) {
    const Font font = TemplateFont(Beside(L"rimtrace.exe"), L"Save");
    ASSERT_NE(font, nullptr);
    LOGFONTW description{};
    ASSERT_NE(GetObjectW(font.get(), sizeof description, &description), 0);
    EXPECT_STREQ(description.lfFaceName, L"MS Shell Dlg");
    const HDC screen = GetDC(nullptr);
    EXPECT_EQ(description.lfHeight, -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);
    // Its templates show nothing while they are searched.
    EXPECT_EQ(FindWindowW(nullptr, L"Save"), nullptr);
}

TEST(TemplateFont, NoTemplateOfThatCaptionGivesNoFont) {
    EXPECT_EQ(TemplateFont(Beside(L"rimtrace.exe"), L"No dialog has this caption"), nullptr);
    EXPECT_EQ(TemplateFont(Beside(L"sim_tests.exe"), L"Save"), nullptr);
    EXPECT_EQ(TemplateFont(L"Z:\\no\\such\\program.exe", L"Save"), nullptr);
    EXPECT_NE(MessageBoxFont(), nullptr);
}

}  // namespace
}  // namespace rtdriver
