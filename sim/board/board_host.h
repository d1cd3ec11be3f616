// What the build's host does around the SDK objects: nothing in the static library; in the DLL
// the state file, the journal file, the automation window and the mouse as a pen.
#pragma once

#include "TAVLO.h"

namespace tavlo_host {

// The first connection opened sets the host up; the last one closed takes it down.
void ConnectionOpened();
void ConnectionClosed();
// After the board has taken or released the window.
void WindowAttached(HWND window);
void WindowDetached(HWND window);

}  // namespace tavlo_host
