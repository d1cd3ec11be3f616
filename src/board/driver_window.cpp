#include "board/driver_window.h"

#include "framework/platform.h"

HWND FindDriverWindow() {
    return fw::CurrentPlatform().findWindowByClass(L"BOARD50");
}

bool GetDriverState(HWND driver, int board) {
    return fw::CurrentPlatform().sendMessage(driver, kBoard50GetState,
                                             static_cast<std::uintptr_t>(board), 0) != 0;
}

void SetDriverState(HWND driver, int board, bool on) {
    fw::CurrentPlatform().sendMessage(driver, kBoard50SetState, static_cast<std::uintptr_t>(board),
                                      on ? 1 : 0);
}
