// Finding another process's window by its class.
#pragma once

#include <windows.h>

namespace sim {

// The first window of class `className` under `parent` (null: the desktop's top-level windows;
// HWND_MESSAGE: message-only windows) that belongs to process `processId`, or null.
HWND FindProcessWindow(HWND parent, const wchar_t* className, DWORD processId);

}  // namespace sim
