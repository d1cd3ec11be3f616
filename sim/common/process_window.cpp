#include "process_window.h"

namespace sim {

HWND FindProcessWindow(HWND parent, const wchar_t* className, DWORD processId) {
    HWND window = nullptr;
    while ((window = FindWindowExW(parent, window, className, nullptr))) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId) {
            return window;
        }
    }
    return nullptr;
}

}  // namespace sim
