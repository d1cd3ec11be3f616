// The static library's host: tests drive the board through tavlo_sim.h alone.
#include "board_host.h"

// Any value in the registered-message range; nothing else uses it in a test process.
unsigned int CTAVLO2::TAVLO_NEW_MESSAGE = 0xC0DE;

namespace tavlo_host {

void ConnectionOpened() {}
void ConnectionClosed() {}
void WindowAttached(HWND) {}
void WindowDetached(HWND) {}

}  // namespace tavlo_host
