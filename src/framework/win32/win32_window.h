#pragma once
#include "framework/win32/win32_api.h"
#include "framework/window.h"

namespace win32 {

// A dialog's live window: every request goes straight to the window manager.
class Win32Window : public fw::Window {
  public:
    explicit Win32Window(HWND window) : window_(window) {}

    HWND handle() const override { return window_; }
    fw::Rect clientRect() const override;
    fw::Rect windowRect() const override;
    bool isIconic() const override;
    void invalidate(const fw::Rect* rect, bool erase) override;
    fw::TimerId setTimer(fw::TimerId id, unsigned milliseconds) override;
    bool killTimer(fw::TimerId id) override;
    void setWindowPos(std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy,
                      unsigned flags) override;
    void setIcon(HICON icon, bool big) override;
    void show() override;
    void updateNow() override;
    void endDialog(int result) override;
    void destroy() override;

    std::wstring itemText(int id) const override;
    void setItemText(int id, std::wstring_view text) override;
    int itemCheck(int id) const override;
    void setItemCheck(int id, int state) override;

  private:
    HWND window_;
};

}  // namespace win32
