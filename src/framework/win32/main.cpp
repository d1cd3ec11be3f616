// The program's entry point: the platform, then the application, whose start-up runs the whole
// test; the process ends when it returns.
#include "app/rimtrace_app.h"
#include "framework/win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    win32::Win32Platform platform(instance);
    CRimtraceApp app;
    app.InitInstance();  // false: no message loop follows
    return 0;
}
