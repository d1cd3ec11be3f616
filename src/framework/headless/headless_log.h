#pragma once
#include <cstdint>
#include <string>

#include "framework/geometry.h"
#include "framework/native_handles.h"

namespace headless {

// One observable action of the program, in the order it happened.
struct LogEntry {
    enum class Kind {
        Invalidate,
        Beep,
        SetTimer,
        KillTimer,
        EndDialog,
        ModalOpened,
        ModalClosed,
        WindowPos,
        MessageBox,
        Destroyed,
        CommonControls,
        ControlContainer,
        RegistryKey,
        MainWindow,
        ShowRunningTest,
    };
    explicit LogEntry(Kind k, HWND w = nullptr) : kind(k), window(w) {}

    Kind kind;
    HWND window = nullptr;
    fw::Rect rect;             // Invalidate (unless whole), WindowPos (x, y, x + cx, y + cy)
    bool whole = false;        // Invalidate of the whole client area
    bool erase = false;        // Invalidate
    std::uintptr_t value = 0;  // beep type, timer id, dialog result, template id, style,
                               // main window set (1) or cleared (0)
    std::wstring text;         // message box text, registry key
};

}  // namespace headless
