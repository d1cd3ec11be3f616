#pragma once
#include "framework/native_handles.h"

// The board driver's window ("BOARD50") and its two private messages.
inline constexpr unsigned kBoard50SetState = 0x471;  // WM_USER + 0x71
inline constexpr unsigned kBoard50GetState = 0x472;  // WM_USER + 0x72

// Null when the driver software is not running.
HWND FindDriverWindow();
bool GetDriverState(HWND driver, int board);
void SetDriverState(HWND driver, int board, bool on);
