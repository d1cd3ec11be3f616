#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/platform.h"
#include "framework/win32/dialog_binding.h"
#include "framework/win32/win32_api.h"
#include "framework/win32/win32_handles.h"

namespace win32 {

// The product's platform: the program's own module for resources, real dialogs, the system's
// monitors, clock, sounds, file dialog and libraries. Creating it makes it the current platform;
// destroying it undoes that.
class Win32Platform : public fw::Platform {
  public:
    explicit Win32Platform(HINSTANCE instance);
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    void initCommonControls() override;
    void enableControlContainer() override;
    void setRegistryKey(std::wstring_view company) override { registryKey_ = company; }
    std::wstring commandLine() override;
    void setMainWindow(fw::CDialog* dialog) override { mainWindow_ = dialog; }
    std::unique_ptr<fw::RunLock> claimOnlyRun() override;
    void showRunningTest() override;

    std::uint32_t tickCount() override;
    LocalDateTime localTime() override;
    void messageBeep(unsigned type) override;
    void debugOutput(std::wstring_view text) override;

    std::wstring loadString(unsigned id) override;
    std::unique_ptr<fw::Bitmap> loadBitmap(unsigned id) override;
    HICON loadIcon(unsigned id) override;

    std::intptr_t runModal(fw::CDialog& dialog) override;
    bool createModeless(fw::CDialog& dialog) override;
    int messageBox(std::wstring_view text, std::wstring_view caption, unsigned style) override;
    std::optional<std::wstring> saveAsDialog(std::wstring_view initialName,
                                             unsigned flags) override;
    std::wstring appName() override;

    HMONITOR monitorFromRect(const fw::Rect& rect) override;
    std::optional<fw::Rect> monitorRect(HMONITOR monitor) override;
    void enumDisplayMonitors(bool (*proc)(HMONITOR, void*), void* user) override;
    fw::Size primaryScreenSize() override;

    HWND findWindowByClass(std::wstring_view className) override;
    std::intptr_t sendMessage(HWND window, unsigned message, std::uintptr_t wParam,
                              std::intptr_t lParam) override;

    std::string toAnsi(std::wstring_view text) override;
    std::string toAnsiPath(std::wstring_view path) override;
    std::wstring modulePath() override;
    std::wstring documentsFolder() override;
    std::wstring localAppDataFolder() override;
    std::optional<std::wstring> environmentVariable(std::wstring_view name) override;
    std::unique_ptr<fw::Library> loadLibrary(std::wstring_view name) override;

  private:
    // The owner the framework gives a window shown without a parent: the main window's most
    // recently active pop-up, so that nested dialogs stack and each disables the one below.
    HWND defaultOwner() const;

    HINSTANCE instance_;
    std::optional<OleSession> ole_;
    std::wstring registryKey_;
    fw::CDialog* mainWindow_ = nullptr;
    std::vector<std::unique_ptr<DialogBinding>> modeless_;
};

}  // namespace win32
