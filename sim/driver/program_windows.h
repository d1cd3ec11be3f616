// Finding the program's top-level windows and the window a key press would reach.
#pragma once

#include <windows.h>

#include <string>

namespace rtdriver {

// A visible top-level window captioned exactly `caption`, of process `processId` (0: any).
HWND FindVisibleWindow(DWORD processId, const std::wstring& caption);

// The program's visible top-level window that no other window owns (its main window), or null.
HWND MainWindow(DWORD processId);

// Where the keyboard would deliver a key in the program: its GUI thread's focus window, else
// that thread's active window, else its enabled visible top-level window (a dialog before the
// window that owns it). Null when the program shows no window.
HWND KeyTarget(DWORD processId);

// The same inside one dialog: its focused control, else the dialog itself.
HWND KeyTargetIn(HWND dialog);

}  // namespace rtdriver
