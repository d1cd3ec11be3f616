#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "framework/dc.h"
#include "framework/geometry.h"
#include "framework/native_handles.h"
#include "framework/local_date_time.h"

namespace fw {

class CDialog;

// A run-time loaded library; unloaded when the object goes.
class Library {
  public:
    virtual ~Library() = default;
    // The exported function of that name, or null.
    virtual void* symbol(const char* name) const = 0;
};

// Held while this run of the program may touch the boards or the restore record; released when
// it goes.
class RunLock {
  public:
    virtual ~RunLock() = default;
};

// Process-wide services of the platform the program runs on: the Win32 backend in the product,
// the headless host in tests. One instance is current at a time.
class Platform {
  public:
    virtual ~Platform() = default;

    // Start-up of the application object.
    virtual void initCommonControls() = 0;
    // Lets windows host COM-based components, the shell's file dialog among them.
    virtual void enableControlContainer() = 0;
    // The application's registry key. It is only set: nothing is read or stored under it.
    virtual void setRegistryKey(std::wstring_view company) = 0;
    // The arguments after the program name, as the program was started with them.
    virtual std::wstring commandLine() = 0;
    // The dialog whose window owns dialogs and message boxes shown without a parent; null
    // clears it before the dialog object goes.
    virtual void setMainWindow(CDialog* dialog) = 0;
    // One run of the program at a time in the user's session: the lock, or null while another
    // run holds it.
    virtual std::unique_ptr<RunLock> claimOnlyRun() = 0;
    // Brings the main window of the run that holds the lock to the front, with the dialog it
    // shows, if it has a window.
    virtual void showRunningTest() = 0;

    virtual std::uint32_t tickCount() = 0;
    virtual LocalDateTime localTime() = 0;
    virtual void messageBeep(unsigned type) = 0;
    virtual void debugOutput(std::wstring_view text) = 0;

    virtual std::wstring loadString(unsigned id) = 0;
    // Null when the resource cannot be loaded.
    virtual std::unique_ptr<Bitmap> loadBitmap(unsigned id) = 0;
    virtual HICON loadIcon(unsigned id) = 0;

    virtual std::intptr_t runModal(CDialog& dialog) = 0;
    virtual bool createModeless(CDialog& dialog) = 0;
    virtual int messageBox(std::wstring_view text, std::wstring_view caption, unsigned style) = 0;
    // The system's Save As dialog; the chosen full path, or nothing when cancelled.
    virtual std::optional<std::wstring> saveAsDialog(std::wstring_view initialName,
                                                     unsigned flags) = 0;
    virtual std::wstring appName() = 0;

    virtual HMONITOR monitorFromRect(const Rect& rect) = 0;
    // The monitor's full rectangle, or nothing when its information cannot be read.
    virtual std::optional<Rect> monitorRect(HMONITOR monitor) = 0;
    // Calls `proc` for every monitor while it returns true.
    virtual void enumDisplayMonitors(bool (*proc)(HMONITOR, void*), void* user) = 0;
    virtual Size primaryScreenSize() = 0;

    virtual HWND findWindowByClass(std::wstring_view className) = 0;
    virtual std::intptr_t sendMessage(HWND window, unsigned message, std::uintptr_t wParam,
                                      std::intptr_t lParam) = 0;

    virtual std::string toAnsi(std::wstring_view text) = 0;
    // A path in the ANSI code page that names the same file: the path itself where the code page
    // can represent it, otherwise its short (8.3) form where the file system has one.
    virtual std::string toAnsiPath(std::wstring_view path) = 0;
    virtual std::wstring modulePath() = 0;
    virtual std::wstring documentsFolder() = 0;
    // The user's folder for data kept on this computer only (not roaming); empty when there is
    // none.
    virtual std::wstring localAppDataFolder() = 0;
    // The value of an environment variable; nothing when it is not set.
    virtual std::optional<std::wstring> environmentVariable(std::wstring_view name) = 0;
    virtual std::unique_ptr<Library> loadLibrary(std::wstring_view name) = 0;
};

Platform& CurrentPlatform();
// The backend installs itself; null uninstalls.
void SetCurrentPlatform(Platform* platform);

}  // namespace fw
