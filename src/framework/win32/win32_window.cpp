#include "framework/win32/win32_window.h"

#include <string>

namespace win32 {
namespace {
fw::Rect FromRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}
}  // namespace

fw::Rect Win32Window::clientRect() const {
    RECT r{};
    GetClientRect(window_, &r);
    return FromRect(r);
}

fw::Rect Win32Window::windowRect() const {
    RECT r{};
    GetWindowRect(window_, &r);
    return FromRect(r);
}

bool Win32Window::isIconic() const {
    return IsIconic(window_) != FALSE;
}

void Win32Window::invalidate(const fw::Rect* rect, bool erase) {
    if (rect == nullptr) {
        InvalidateRect(window_, nullptr, erase ? TRUE : FALSE);
        return;
    }
    const RECT r{rect->left, rect->top, rect->right, rect->bottom};
    InvalidateRect(window_, &r, erase ? TRUE : FALSE);
}

fw::TimerId Win32Window::setTimer(fw::TimerId id, unsigned milliseconds) {
    return SetTimer(window_, id, milliseconds, nullptr);
}

bool Win32Window::killTimer(fw::TimerId id) {
    return KillTimer(window_, id) != FALSE;
}

void Win32Window::setWindowPos(std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy,
                               unsigned flags) {
    SetWindowPos(window_, nullptr, x, y, cx, cy, flags);
}

void Win32Window::setIcon(HICON icon, bool big) {
    SendMessageW(window_, WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void Win32Window::show() {
    ShowWindow(window_, SW_SHOW);
}

void Win32Window::updateNow() {
    UpdateWindow(window_);
}

void Win32Window::endDialog(int result) {
    EndDialog(window_, result);
}

void Win32Window::destroy() {
    DestroyWindow(window_);
}

std::wstring Win32Window::itemText(int id) const {
    const HWND item = GetDlgItem(window_, id);
    if (item == nullptr) {
        return {};
    }
    // The length is asked for first, so texts of any length come back whole.
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
    const UINT copied = GetDlgItemTextW(window_, id, text.data(), static_cast<int>(text.size()));
    text.resize(copied);
    return text;
}

void Win32Window::setItemText(int id, std::wstring_view text) {
    SetDlgItemTextW(window_, id, std::wstring(text).c_str());
}

int Win32Window::itemCheck(int id) const {
    return static_cast<int>(IsDlgButtonChecked(window_, id));
}

void Win32Window::setItemCheck(int id, int state) {
    CheckDlgButton(window_, id, static_cast<UINT>(state));
}

}  // namespace win32
