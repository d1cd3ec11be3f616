#include "board_channel.h"

namespace rtdriver {

HWND FindAutomationWindow(DWORD processId) {
    // Message-only windows are found only under HWND_MESSAGE.
    HWND window = nullptr;
    while ((window = FindWindowExW(HWND_MESSAGE, window, kTavloAutomationClass, nullptr))) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId) {
            return window;
        }
    }
    return nullptr;
}

std::optional<std::intptr_t> AskBoard(DWORD processId, const TavloAutomationRequest& request) {
    const HWND window = FindAutomationWindow(processId);
    if (window == nullptr) {
        return std::nullopt;
    }
    TavloAutomationRequest copy = request;
    COPYDATASTRUCT data{kTavloAutomationMagic, sizeof copy, &copy};
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                             SMTO_ABORTIFHUNG, 5000, &answer)) {
        return std::nullopt;
    }
    return static_cast<std::intptr_t>(answer);
}

}  // namespace rtdriver
