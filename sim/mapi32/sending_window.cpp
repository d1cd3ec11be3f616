#include "sending_window.h"

#include <windows.h>

namespace outbox {

SendingWindow FindSendingWindow() {
    SendingWindow found;
    const HWND window = FindWindowW(nullptr, L"Sending");
    if (window == nullptr) {
        return found;
    }
    found.exists = true;
    found.visible = IsWindowVisible(window) != 0;
    RECT rect{};
    if (GetWindowRect(window, &rect)) {
        found.rect = {rect.left, rect.top, rect.right, rect.bottom};
    }
    return found;
}

}  // namespace outbox
