// The mouse over the attached window as board 1's pen: the window is subclassed while attached,
// left-button presses, drags and releases become pen events, and every message then goes on to
// the window's own procedure unchanged.
#include <windows.h>
#include <windowsx.h>

#include <map>
#include <vector>

#include "board_host.h"
#include "tavlo_sim.h"

namespace {

struct Subclass {
    WNDPROC original;
    bool attached;
    bool buttonDown;
};

// Entries outlive a detach when another subclass sits on top of ours and ours cannot be taken
// out: the window still calls us, and we still forward.
std::map<HWND, Subclass> subclasses;

void QueueMouse(HWND window, tavlo_sim::PenAction action, LPARAM lParam) {
    POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(window, &screen);
    tavlo_sim::QueueMousePen(action, screen.x, screen.y);
}

void TrackButton(HWND window, Subclass& sub, UINT message, WPARAM wParam, LPARAM lParam) {
    using tavlo_sim::PenAction;
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            sub.buttonDown = true;
            QueueMouse(window, PenAction::Down, lParam);
            break;
        case WM_MOUSEMOVE:
            // A release outside the window is seen at the next move: the pen goes up there.
            if (sub.buttonDown) {
                sub.buttonDown = (wParam & MK_LBUTTON) != 0;
                QueueMouse(window, sub.buttonDown ? PenAction::Move : PenAction::Up, lParam);
            }
            break;
        case WM_LBUTTONUP:
            if (sub.buttonDown) {
                sub.buttonDown = false;
                QueueMouse(window, PenAction::Up, lParam);
            }
            break;
        default:
            break;
    }
}

LRESULT CALLBACK MousePenProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto found = subclasses.find(window);
    if (found == subclasses.end()) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    const WNDPROC original = found->second.original;
    if (found->second.attached) {
        TrackButton(window, found->second, message, wParam, lParam);
    }
    const LRESULT result = CallWindowProcW(original, window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        subclasses.erase(window);
    }
    return result;
}

bool IsOurs(HWND window) {
    return GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&MousePenProc);
}

}  // namespace

namespace tavlo_host {

void WindowAttached(HWND window) {
    // The board has one attached window; a window attached before this one is released.
    std::vector<HWND> others;
    for (const auto& [other, sub] : subclasses) {
        if (other != window && sub.attached) {
            others.push_back(other);
        }
    }
    for (HWND other : others) {
        WindowDetached(other);
    }
    if (window == nullptr || !IsWindow(window) || !tavlo_sim::MousePen()) {
        return;
    }
    if (const auto found = subclasses.find(window); found != subclasses.end()) {
        found->second.attached = true;
        return;
    }
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    subclasses[window] = Subclass{original, true, false};
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MousePenProc));
}

void WindowDetached(HWND window) {
    const auto found = subclasses.find(window);
    if (found == subclasses.end()) {
        return;
    }
    if (IsOurs(window)) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(found->second.original));
        subclasses.erase(found);
    } else {
        found->second.attached = false;
    }
}

}  // namespace tavlo_host
