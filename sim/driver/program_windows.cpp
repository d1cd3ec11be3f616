#include "program_windows.h"

#include <vector>

namespace rtdriver {
namespace {

struct Search {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if ((search->processId == 0 || owner == search->processId) && IsWindowVisible(window)) {
        search->windows.push_back(window);
    }
    return TRUE;
}

// Visible top-level windows of the process, topmost in z-order first.
std::vector<HWND> VisibleWindows(DWORD processId) {
    Search search{processId, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

std::wstring Caption(HWND window) {
    wchar_t text[512];
    const int length = GetWindowTextW(window, text, 512);
    return std::wstring(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

// A window that can take a key now: the program's, in a shown and enabled top-level window. A
// dialog that has just ended is hidden before it is destroyed and may still hold the focus.
bool TakesInput(HWND window, DWORD processId) {
    DWORD owner = 0;
    if (window == nullptr || GetWindowThreadProcessId(window, &owner) == 0 || owner != processId) {
        return false;
    }
    const HWND root = GetAncestor(window, GA_ROOT);
    return root != nullptr && IsWindowVisible(root) && IsWindowEnabled(root);
}

}  // namespace

HWND FindVisibleWindow(DWORD processId, const std::wstring& caption) {
    for (const HWND window : VisibleWindows(processId)) {
        if (Caption(window) == caption) {
            return window;
        }
    }
    return nullptr;
}

HWND MainWindow(DWORD processId) {
    for (const HWND window : VisibleWindows(processId)) {
        if (GetWindow(window, GW_OWNER) == nullptr) {
            return window;
        }
    }
    return nullptr;
}

HWND KeyTarget(DWORD processId) {
    const std::vector<HWND> windows = VisibleWindows(processId);
    if (windows.empty()) {
        return nullptr;
    }
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(windows.front(), nullptr), &info)) {
        if (TakesInput(info.hwndFocus, processId)) {
            return info.hwndFocus;
        }
        if (TakesInput(info.hwndActive, processId)) {
            return KeyTargetIn(info.hwndActive);
        }
    }
    // A modal dialog disables its owner, so the enabled window is the one taking input.
    HWND fallback = nullptr;
    for (const HWND window : windows) {
        if (IsWindowEnabled(window)) {
            if (GetWindow(window, GW_OWNER) != nullptr) {
                return KeyTargetIn(window);
            }
            fallback = fallback != nullptr ? fallback : window;
        }
    }
    return fallback != nullptr ? KeyTargetIn(fallback) : nullptr;
}

HWND KeyTargetIn(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) &&
        info.hwndFocus != nullptr &&
        (info.hwndFocus == dialog || IsChild(dialog, info.hwndFocus))) {
        return info.hwndFocus;
    }
    return dialog;
}

}  // namespace rtdriver
