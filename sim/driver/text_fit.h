// Whether the texts of a dialog fit their controls under the font the dialog is drawn with.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/win32/win32_handles.h"

namespace rtdriver {

struct TextFit {
    int id = 0;
    std::wstring kind;  // "static", "check box", "button"
    std::wstring text;
    SIZE needed{};     // what the text takes, wrapped as the control wraps it
    LONG oneLine = 0;  // the text's width on one line
    SIZE room{};       // what the control gives it
    bool fits = false;
};

// Measures every visible static text, check box, radio button and push button of `dialog` (a
// window of any process) in `font`. Texts that wrap are wrapped to the control's width; a
// check box's text has the control less its box; a push button's has the control less its edge
// and focus frame.
std::vector<TextFit> MeasureTexts(HWND dialog, HFONT font);

using Font = win32::GdiObject<HFONT>;

// The font the dialog manager gives the dialog template of the program file `module` whose
// caption is `caption`: the template is instantiated, hidden, in this process, whose font
// settings are the program's (same Wine prefix or Windows session). Null when no template of
// the file has that caption.
Font TemplateFont(const std::wstring& module, const std::wstring& caption);

// The font message boxes are drawn with.
Font MessageBoxFont();

}  // namespace rtdriver
