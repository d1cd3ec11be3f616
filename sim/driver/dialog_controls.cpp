#include "dialog_controls.h"

#include <vector>

namespace rtdriver {
namespace {

constexpr UINT kAnswerMilliseconds = 5000;

std::optional<LRESULT> Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                           UINT milliseconds = kAnswerMilliseconds) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, milliseconds,
                             &answer)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(answer);
}

}  // namespace

HWND Control(HWND dialog, int id) {
    return GetDlgItem(dialog, id);
}

std::optional<std::wstring> ControlText(HWND control) {
    const auto length = Ask(control, WM_GETTEXTLENGTH, 0, 0);
    if (!length || *length < 0) {
        return std::nullopt;
    }
    std::vector<wchar_t> text(static_cast<std::size_t>(*length) + 1);
    const auto copied =
        Ask(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    if (!copied) {
        return std::nullopt;
    }
    return std::wstring(text.data(), static_cast<std::size_t>(*copied));
}

bool SetControlText(HWND control, const std::wstring& text) {
    const auto done = Ask(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return done && *done != 0;
}

void ClickButton(HWND button) {
    const DWORD thread = GetWindowThreadProcessId(button, nullptr);
    Ask(button, BM_CLICK, 0, 0, 2000);
    // A click that ends a dialog is handled while the dialog's loop waits for a posted message;
    // the loop then takes the next one posted and drops it, since the dialog has ended. Wake it
    // with a message nobody misses, so the next key the scenario posts reaches the window
    // underneath.
    PostThreadMessageW(thread, WM_NULL, 0, 0);
}

std::optional<LRESULT> CheckState(HWND button) {
    return Ask(button, BM_GETCHECK, 0, 0);
}

int DefaultButtonId(HWND dialog) {
    const auto answer = Ask(dialog, DM_GETDEFID, 0, 0);
    if (answer && HIWORD(*answer) == DC_HASDEFID) {
        return LOWORD(*answer);
    }
    return IDOK;
}

}  // namespace rtdriver
