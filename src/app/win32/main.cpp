// The program's entry point: the platform, then the application, whose start-up runs the whole
// test; the process ends when it returns. A crash on the way still gives the boards back.
#include <cstdlib>
#include <exception>

#include "app/rimtrace_app.h"
#include "board/emergency_restore.h"
#include "framework/win32/win32_platform.h"

namespace {

// Runs before the system's own crash handling (the error report), which then ends the process.
LONG WINAPI GiveBoardsBackOnCrash(EXCEPTION_POINTERS*) {
    RunEmergencyRestore();
    return EXCEPTION_CONTINUE_SEARCH;
}

[[noreturn]] void GiveBoardsBackOnTerminate() {
    RunEmergencyRestore();
    std::abort();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    SetUnhandledExceptionFilter(GiveBoardsBackOnCrash);
    std::set_terminate(GiveBoardsBackOnTerminate);
    win32::Win32Platform platform(instance);
    CRimtraceApp app;
    app.InitInstance();  // false: no message loop follows
    return app.ExitCode();
}
