// The mouse as board 1's pen. A pen on a board reaches the board wherever it touches and
// whatever windows are doing, so the mouse is watched with a low-level hook on the thread that
// attached the window rather than through that window's own messages: those stop while a
// modal dialog has disabled the window, and a press that merely activates it can be lost.
//
// A press on a visible part of the attached window (no other window over that point) starts a
// contact and is a pen-down; the contact's moves over such a part are pen-moves; its release is
// the pen-up, wherever and whenever it happens. Presses and moves over dialogs and other
// windows are not pen events. Every mouse event goes on to the system unchanged.
#include <windows.h>

#include <memory>
#include <type_traits>

#include "board_host.h"
#include "common/wide_text.h"
#include "tavlo_sim.h"

namespace {

struct HookRemover {
    void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
};
using UniqueHook = std::unique_ptr<std::remove_pointer_t<HHOOK>, HookRemover>;

struct MousePen {
    HWND window = nullptr;
    bool contact = false;
    UniqueHook hook;
};

MousePen pen;

bool Contains(HWND window, POINT point) {
    RECT rect{};
    return GetWindowRect(window, &rect) && PtInRect(&rect, point);
}

// Whether `point` shows `window`: it lies on the window, which is on screen, and no visible
// window above it in the z-order (a dialog, a message box, another program) covers the point.
// Disabled windows count: a modal dialog disables its owner, but the owner is still seen.
bool ShowsWindow(HWND window, POINT point) {
    if (!IsWindowVisible(window) || IsIconic(window) || !Contains(window, point)) {
        return false;
    }
    for (HWND above = GetWindow(window, GW_HWNDPREV); above != nullptr;
         above = GetWindow(above, GW_HWNDPREV)) {
        if (IsWindowVisible(above) && Contains(above, point)) {
            return false;
        }
    }
    return true;
}

void Queue(tavlo_sim::PenAction action, POINT point) {
    tavlo_sim::QueueMousePen(action, point.x, point.y);
}

void TakeMouse(WPARAM message, POINT point) {
    using tavlo_sim::PenAction;
    switch (message) {
        case WM_LBUTTONDOWN:
            if (ShowsWindow(pen.window, point)) {
                pen.contact = true;
                Queue(PenAction::Down, point);
            }
            break;
        case WM_MOUSEMOVE:
            if (pen.contact && ShowsWindow(pen.window, point)) {
                Queue(PenAction::Move, point);
            }
            break;
        case WM_LBUTTONUP:
            if (pen.contact) {
                pen.contact = false;
                Queue(PenAction::Up, point);
            }
            break;
        default:
            break;
    }
}

LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && pen.window != nullptr) {
        TakeMouse(wParam, reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam)->pt);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

namespace tavlo_host {

void WindowAttached(HWND window) {
    // The board has one attached window; the pen follows the last one attached.
    pen.window = nullptr;
    pen.contact = false;
    if (window == nullptr || !IsWindow(window) || !tavlo_sim::MousePen()) {
        pen.hook.reset();
        return;
    }
    if (!pen.hook) {
        // Called on the window's thread, whose message loop (and every modal loop on it) is
        // where the hook runs.
        pen.hook.reset(SetWindowsHookExW(WH_MOUSE_LL, &MouseHook, sim::ThisModule(), 0));
    }
    pen.window = window;
}

void WindowDetached(HWND window) {
    if (window != pen.window) {
        return;
    }
    // A contact still open ends with the window: its release is no longer the board's.
    pen.window = nullptr;
    pen.contact = false;
    pen.hook.reset();
}

}  // namespace tavlo_host
