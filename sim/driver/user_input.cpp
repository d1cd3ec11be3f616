#include "user_input.h"

#include <algorithm>

namespace rtdriver {
namespace {

bool IsExtendedKey(std::uint16_t key) {
    // The navigation block beside the main keys.
    return (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE;
}

LPARAM KeyData(std::uint16_t key, bool up) {
    const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    LPARAM data = 1 | (static_cast<LPARAM>(scan & 0xFF) << 16);
    if (IsExtendedKey(key)) {
        data |= LPARAM{1} << 24;
    }
    if (up) {
        data |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
    }
    return data;
}

// 0..65535 across the virtual screen, rounded up so that the system's conversion back (which
// truncates) lands on the pixel asked for.
LONG NormalisedCoordinate(int offset, int size) {
    const std::int64_t clamped = std::clamp<std::int64_t>(offset, 0, size - 1);
    return static_cast<LONG>((clamped * 65535 + size - 2) / (size - 1));
}

}  // namespace

bool PostKey(HWND target, std::uint16_t virtualKey) {
    return PostMessageW(target, WM_KEYDOWN, virtualKey, KeyData(virtualKey, false)) &&
           PostMessageW(target, WM_KEYUP, virtualKey, KeyData(virtualKey, true));
}

bool SendMouse(MouseAction action, int x, int y) {
    // Position and button go in one absolute event, so the press cannot be seen at the place
    // the cursor was before.
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (width < 2 || height < 2) {
        return false;
    }
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = NormalisedCoordinate(x - left, width);
    input.mi.dy = NormalisedCoordinate(y - top, height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    if (action == MouseAction::Down) {
        input.mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    } else if (action == MouseAction::Up) {
        input.mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    }
    return SendInput(1, &input, sizeof input) == 1;
}

}  // namespace rtdriver
