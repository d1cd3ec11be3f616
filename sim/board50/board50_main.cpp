// Stand-in for the board driver's "BOARD50" window: a hidden top-level window that answers the
// per-board state query, accepts new states, and journals every message it is told.
//
//   board50_standin.exe [--states 1,0,1] [--journal PATH] [--ready PATH]
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>

#include "board50_window.h"
#include "board_states.h"
#include "common/file_io.h"
#include "common/wide_text.h"
#include "framework/win32/win32_handles.h"

namespace {

constexpr UINT kSetState = WM_USER + 0x71;
constexpr UINT kGetState = WM_USER + 0x72;

struct Options {
    board50::BoardStates states;
    std::wstring journal;
    std::wstring ready;
};

struct Driver {
    board50::BoardStates states;
    std::wstring journal;

    void note(const std::string& line) const {
        if (!journal.empty()) {
            sim::AppendLine(journal, line);
        }
    }
};

LRESULT CALLBACK DriverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* driver = reinterpret_cast<Driver*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    const auto board = static_cast<std::int64_t>(wParam);
    switch (message) {
        case kGetState: {
            const bool on = driver->states.get(board);
            driver->note(board50::GetStateLine(board, on));
            return on ? 1 : 0;
        }
        case kSetState:
            driver->note(board50::SetStateLine(board, static_cast<std::int64_t>(lParam)));
            driver->states.set(board, lParam != 0);
            return 0;
        case WM_CLOSE:
            // The window itself goes when the loop has ended.
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

void Complain(const std::wstring& text) {
    std::fputws((L"board50_standin: " + text + L"\n").c_str(), stderr);
}

std::optional<Options> ParseOptions(int argc, wchar_t** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::wstring name = argv[i];
        if (i + 1 >= argc) {
            Complain(L"missing value after " + name);
            return std::nullopt;
        }
        const std::wstring value = argv[++i];
        if (name == L"--states") {
            auto states = board50::BoardStates::Parse(sim::Utf8FromWide(value));
            if (!states) {
                Complain(L"--states wants comma-separated 0 and 1, got \"" + value + L"\"");
                return std::nullopt;
            }
            options.states = *states;
        } else if (name == L"--journal") {
            options.journal = value;
        } else if (name == L"--ready") {
            options.ready = value;
        } else {
            Complain(L"unknown option " + name);
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        return 2;
    }
    Driver driver{options->states, options->journal};
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const win32::WindowClass windowClass(board50::kWindowName, DriverProc, instance);
    if (!windowClass.registered()) {
        Complain(L"cannot register the window class");
        return 3;
    }
    // Top-level (not message-only) so FindWindow finds it; never shown.
    const win32::UniqueWindow window(CreateWindowExW(0, windowClass.name(), board50::kWindowName,
                                                     WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                                     nullptr, instance, &driver));
    if (!window) {
        Complain(L"cannot create the window");
        return 3;
    }
    if (!options->ready.empty() &&
        !sim::WriteWholeFile(options->ready, std::to_string(GetCurrentProcessId()) + "\n")) {
        Complain(L"cannot write the ready file " + options->ready);
        return 3;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
