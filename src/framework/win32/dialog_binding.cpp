#include "framework/win32/dialog_binding.h"

#include <algorithm>
#include <cstdint>

#include "framework/win32/paint_dc.h"

namespace win32 {
namespace {

// Messages from RegisterWindowMessage, such as the board SDK's data message.
bool IsRegisteredMessage(UINT message) {
    return message >= 0xC000 && message <= 0xFFFF;
}

std::int64_t Width(const RECT& r) {
    return std::int64_t{r.right} - r.left;
}

std::int64_t Height(const RECT& r) {
    return std::int64_t{r.bottom} - r.top;
}

// The start of a span of `size` centred on [low, high), kept inside [areaLow, areaHigh) where
// it fits and at areaLow where it does not.
LONG CentredStart(LONG low, LONG high, std::int64_t size, LONG areaLow, LONG areaHigh) {
    std::int64_t start = low + ((std::int64_t{high} - low) - size) / 2;
    start = std::min(start, std::int64_t{areaHigh} - size);
    start = std::max(start, std::int64_t{areaLow});
    return static_cast<LONG>(start);
}

// Centres `window` over `owner` (over the owner's monitor when the owner cannot be seen), kept
// within that monitor's work area.
void CentreOver(HWND window, HWND owner) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return;
    }
    RECT target = monitor.rcWork;
    if (IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &target);
    }
    RECT own{};
    GetWindowRect(window, &own);
    const RECT& area = monitor.rcWork;
    const LONG x = CentredStart(target.left, target.right, Width(own), area.left, area.right);
    const LONG y = CentredStart(target.top, target.bottom, Height(own), area.top, area.bottom);
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

DialogBinding* BindingOf(HWND window) {
    return reinterpret_cast<DialogBinding*>(GetWindowLongPtrW(window, DWLP_USER));
}

}  // namespace

INT_PTR CALLBACK DialogBinding::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* binding = reinterpret_cast<DialogBinding*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(binding));
        return binding->initialise(window);
    }
    DialogBinding* binding = BindingOf(window);
    if (binding == nullptr) {
        return FALSE;  // before WM_INITDIALOG or after WM_DESTROY: default handling
    }
    return binding->route(window, message, wParam);
}

INT_PTR DialogBinding::initialise(HWND window) {
    window_.emplace(window);
    if (mark_ != nullptr) {
        SetPropW(window, mark_, window);
    }
    dialog_.attachWindow(&*window_);
    RECT before{};
    GetWindowRect(window, &before);
    // True lets the dialog manager put the focus on the first tab stop.
    const INT_PTR focus = dialog_.OnInitDialog() ? TRUE : FALSE;
    // A modal dialog over the program's window (its owner is disabled) that did not place
    // itself is centred over that window, as the framework does for dialogs by default.
    const HWND owner = GetWindow(window, GW_OWNER);
    RECT after{};
    GetWindowRect(window, &after);
    if (owner != nullptr && !IsWindowEnabled(owner) && after.left == before.left &&
        after.top == before.top) {
        CentreOver(window, owner);
    }
    return focus;
}

INT_PTR DialogBinding::route(HWND window, UINT message, WPARAM wParam) {
    switch (message) {
        case WM_PAINT:
            paint(window);
            return TRUE;
        case WM_QUERYDRAGICON:
            // One of the messages whose result a dialog procedure returns directly; a null icon
            // falls back to the default.
            return reinterpret_cast<INT_PTR>(dialog_.OnQueryDragIcon());
        case WM_KEYDOWN:
            dialog_.OnKeyDown(static_cast<unsigned>(wParam));
            return FALSE;
        case WM_TIMER:
            dialog_.OnTimer(static_cast<fw::TimerId>(wParam));
            return TRUE;
        case WM_COMMAND:
            return routeCommand(wParam);
        case WM_DESTROY:
            destroyed(window);
            return FALSE;
        case WM_ENDSESSION:
            dialog_.OnEndSession(wParam != FALSE);
            return TRUE;
        default:
            // WM_CLOSE (which the dialog manager turns into IDCANCEL), the mouse and the rest
            // keep the default handling.
            return IsRegisteredMessage(message) ? routeRegistered(window, message) : FALSE;
    }
}

INT_PTR DialogBinding::routeCommand(WPARAM wParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return FALSE;
    }
    switch (LOWORD(wParam)) {
        case IDOK:
            dialog_.OnOK();
            return TRUE;
        case IDCANCEL:
            dialog_.OnCancel();
            return TRUE;
        default:
            return dialog_.OnCommand(LOWORD(wParam)) ? TRUE : FALSE;
    }
}

INT_PTR DialogBinding::routeRegistered(HWND window, UINT message) {
    if (!dialog_.OnRegisteredMessage(message)) {
        return FALSE;
    }
    SetWindowLongPtrW(window, DWLP_MSGRESULT, 0);
    return TRUE;
}

void DialogBinding::paint(HWND window) {
    PaintDc dc(window);
    dialog_.OnPaint(dc);
}

void DialogBinding::destroyed(HWND window) {
    // A window on its way out is not brought back to the front.
    if (mark_ != nullptr) {
        RemovePropW(window, mark_);
    }
    dialog_.OnDestroy();
    dialog_.detachWindow();
    SetWindowLongPtrW(window, DWLP_USER, 0);
    closed_ = true;
}

}  // namespace win32
