#include "board_channel.h"

#include "common/process_window.h"

namespace rtdriver {

HWND FindAutomationWindow(DWORD processId) {
    // Message-only windows are found only under HWND_MESSAGE.
    return sim::FindProcessWindow(HWND_MESSAGE, kTavloAutomationClass, processId);
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
