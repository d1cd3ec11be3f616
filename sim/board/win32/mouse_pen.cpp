// The mouse as board 1's pen. A pen on a board reaches the board wherever it touches and
// whatever windows are doing, so the mouse is watched with a mouse hook on the thread of the
// attached window rather than through that window's own procedure: the hook also sees what the
// system hands to the window while a modal dialog has disabled it (which the window itself never
// gets) and what goes to the dialogs of that thread.
//
// A press on the attached window, enabled or not, starts a contact and is a pen-down; the
// contact's moves over that window are pen-moves; its release is the pen-up, wherever it
// happens. Presses and moves over dialogs are not pen events. A release the thread never saw
// (over another program) ends the contact where the pen was last seen. Every mouse message goes
// on unchanged.
//
// The hook is the thread's own (WH_MOUSE), not a low-level one: under Wine a low-level hook
// made the first press of a run get lost when no mouse move came before it.
#include <windows.h>

#include <memory>
#include <type_traits>

#include "board_host.h"
#include "tavlo_sim.h"

namespace {

struct HookRemover {
    void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
};
using UniqueHook = std::unique_ptr<std::remove_pointer_t<HHOOK>, HookRemover>;

struct MousePen {
    HWND window = nullptr;
    bool contact = false;
    POINT last{};
    UniqueHook hook;
};

MousePen pen;

bool OnPenWindow(HWND target) {
    return target != nullptr && (target == pen.window || IsChild(pen.window, target));
}

void Queue(tavlo_sim::PenAction action, POINT point) {
    pen.last = point;
    tavlo_sim::QueueMousePen(action, point.x, point.y);
}

void Press(const MOUSEHOOKSTRUCT& mouse) {
    if (OnPenWindow(mouse.hwnd)) {
        pen.contact = true;
        Queue(tavlo_sim::PenAction::Down, mouse.pt);
    }
}

void Move(const MOUSEHOOKSTRUCT& mouse) {
    if (!pen.contact) {
        return;
    }
    if ((GetKeyState(VK_LBUTTON) & 0x8000) == 0) {
        // Released where this thread does not see it.
        pen.contact = false;
        Queue(tavlo_sim::PenAction::Up, pen.last);
    } else if (OnPenWindow(mouse.hwnd)) {
        Queue(tavlo_sim::PenAction::Move, mouse.pt);
    }
}

void Release(const MOUSEHOOKSTRUCT& mouse) {
    if (pen.contact) {
        pen.contact = false;
        Queue(tavlo_sim::PenAction::Up, mouse.pt);
    }
}

LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam) {
    // HC_NOREMOVE: only looked at; the same message comes again when it is taken.
    if (code == HC_ACTION && pen.window != nullptr) {
        const auto& mouse = *reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        switch (wParam) {
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
            case WM_NCLBUTTONDOWN:
            case WM_NCLBUTTONDBLCLK:
                Press(mouse);
                break;
            case WM_MOUSEMOVE:
            case WM_NCMOUSEMOVE:
                Move(mouse);
                break;
            case WM_LBUTTONUP:
            case WM_NCLBUTTONUP:
                Release(mouse);
                break;
            default:
                break;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

namespace tavlo_host {

void WindowAttached(HWND window) {
    // The board has one attached window; the pen follows the last one attached.
    pen.window = nullptr;
    pen.contact = false;
    pen.hook.reset();
    if (window == nullptr || !IsWindow(window) || !tavlo_sim::MousePen()) {
        return;
    }
    // Called on the window's thread: the hook sees the mouse messages of that thread.
    pen.hook.reset(SetWindowsHookExW(WH_MOUSE, &MouseHook, nullptr, GetCurrentThreadId()));
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
