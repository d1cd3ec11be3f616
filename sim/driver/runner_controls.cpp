// The controls of the program's dialogs and message boxes, found by caption and id.
#include "common/wide_text.h"
#include "dialog_controls.h"
#include "program_windows.h"
#include "runner.h"
#include "text_fit.h"

namespace rtdriver {

using runner_detail::BadValue;
using runner_detail::Integer;
using runner_detail::Quoted;
using runner_detail::Say;

Runner::Outcome Runner::findControl(const Words& words, HWND& control) const {
    const auto id = Integer(words[1], 0, 0xFFFF);
    if (!id) {
        return BadValue("control id", words[1]);
    }
    const HWND dialog = FindVisibleWindow(programId(), sim::WideFromUtf8(words[0]));
    if (dialog == nullptr) {
        return "no visible window captioned " + Quoted(sim::WideFromUtf8(words[0]));
    }
    control = Control(dialog, static_cast<int>(*id));
    if (control == nullptr) {
        return "the window captioned " + Quoted(sim::WideFromUtf8(words[0])) + " has no control " +
               words[1];
    }
    return std::nullopt;
}

Runner::Outcome Runner::setText(const Words& words, const std::string&) {
    HWND control = nullptr;
    if (auto failure = findControl(words, control)) {
        return failure;
    }
    if (!SetControlText(control, sim::WideFromUtf8(words[2]))) {
        return "control " + words[1] + " did not take the text";
    }
    return std::nullopt;
}

Runner::Outcome Runner::click(const Words& words, const std::string&) {
    HWND control = nullptr;
    if (auto failure = findControl(words, control)) {
        return failure;
    }
    ClickButton(control);
    return std::nullopt;
}

Runner::Outcome Runner::dismiss(const Words& words, const std::string&) {
    const HWND dialog = FindVisibleWindow(programId(), sim::WideFromUtf8(words[0]));
    if (dialog == nullptr) {
        return "no visible window captioned " + Quoted(sim::WideFromUtf8(words[0]));
    }
    const int id = DefaultButtonId(dialog);
    const HWND button = Control(dialog, id);
    if (button == nullptr) {
        return "the window has no default button (id " + std::to_string(id) + ")";
    }
    Say("  pressing button " + std::to_string(id));
    ClickButton(button);
    return std::nullopt;
}

Runner::Outcome Runner::compareText(const Words& words, bool whole) {
    HWND control = nullptr;
    if (auto failure = findControl(words, control)) {
        return failure;
    }
    const auto text = ControlText(control);
    if (!text) {
        return "control " + words[1] + " did not answer with its text";
    }
    const std::wstring expected = sim::WideFromUtf8(words[2]);
    const bool matches = whole ? *text == expected : text->find(expected) != std::wstring::npos;
    if (!matches) {
        return "control " + words[1] + " reads " + Quoted(*text) +
               (whole ? ", expected " : ", expected it to contain ") + Quoted(expected);
    }
    return std::nullopt;
}

Runner::Outcome Runner::expectText(const Words& words, const std::string&) {
    return compareText(words, true);
}

Runner::Outcome Runner::expectTextContains(const Words& words, const std::string&) {
    return compareText(words, false);
}

Runner::Outcome Runner::expectChecked(const Words& words, const std::string&) {
    const auto expected = Integer(words[2], 0, 1);
    if (!expected) {
        return BadValue("check state (0 or 1)", words[2]);
    }
    HWND control = nullptr;
    if (auto failure = findControl(words, control)) {
        return failure;
    }
    const auto state = CheckState(control);
    if (!state) {
        return "control " + words[1] + " did not answer with its check state";
    }
    if (*state != *expected) {
        return "control " + words[1] + " has check state " + std::to_string(*state) +
               ", expected " + words[2];
    }
    return std::nullopt;
}

Runner::Outcome Runner::expectVisible(const Words& words, const std::string&) {
    const auto expected = Integer(words[2], 0, 1);
    if (!expected) {
        return BadValue("visibility (0 or 1)", words[2]);
    }
    HWND control = nullptr;
    if (auto failure = findControl(words, control)) {
        return failure;
    }
    const bool visible = IsWindowVisible(control) != 0;
    if (visible != (*expected == 1)) {
        return "control " + words[1] + (visible ? " is visible" : " is hidden");
    }
    return std::nullopt;
}

namespace {

std::string Pixels(SIZE size) {
    return std::to_string(size.cx) + "x" + std::to_string(size.cy);
}

}  // namespace

Runner::Outcome Runner::expectTextsFit(const Words& words, const std::string&) {
    const std::wstring caption = sim::WideFromUtf8(words[0]);
    const HWND dialog = FindVisibleWindow(programId(), caption);
    if (dialog == nullptr) {
        return "no visible window captioned " + Quoted(caption);
    }
    // The program's own dialogs are drawn in their template's font, message boxes in the
    // system's message box font.
    Font font = TemplateFont(runner_detail::ProgramPath(folder_), caption);
    if (!font) {
        font = MessageBoxFont();
    }
    if (!font) {
        return std::string("cannot make the window's font");
    }
    const std::vector<TextFit> fits = MeasureTexts(dialog, font.get());
    if (fits.empty()) {
        return std::string("the window shows no text to measure");
    }
    std::string clipped;
    for (const TextFit& fit : fits) {
        Say("  " + sim::Utf8FromWide(fit.kind) + " " + std::to_string(fit.id) + " " +
            Quoted(fit.text) + ": needs " + Pixels(fit.needed) + " (" +
            std::to_string(fit.oneLine) + " on one line), has " + Pixels(fit.room) +
            (fit.fits ? "" : "  CLIPPED"));
        if (!fit.fits) {
            clipped += (clipped.empty() ? "" : ", ") + Quoted(fit.text);
        }
    }
    if (!clipped.empty()) {
        return "texts cut off by their controls: " + clipped;
    }
    return std::nullopt;
}

}  // namespace rtdriver
