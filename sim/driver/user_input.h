// Key presses posted to a window, and the real mouse.
#pragma once

#include <windows.h>

#include <cstdint>

namespace rtdriver {

// WM_KEYDOWN then WM_KEYUP, posted, so they pass through the program's own message loop (and
// a dialog manager's) as typed keys do.
bool PostKey(HWND target, std::uint16_t virtualKey);

enum class MouseAction { Down, Move, Up };
// Moves the cursor to the screen pixel and presses, moves or releases the left button through
// the system's input queue.
bool SendMouse(MouseAction action, int x, int y);

}  // namespace rtdriver
