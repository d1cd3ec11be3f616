// The driver window stand-in's window, as other processes find it.
#pragma once

#include <windows.h>

#include "common/process_window.h"

namespace board50 {

// Its window class and caption.
inline constexpr wchar_t kWindowName[] = L"BOARD50";

// The window of the stand-in running as process `processId`, or null.
inline HWND FindWindowOf(DWORD processId) {
    return sim::FindProcessWindow(nullptr, kWindowName, processId);
}

}  // namespace board50
