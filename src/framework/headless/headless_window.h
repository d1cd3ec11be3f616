#pragma once
#include <map>
#include <string>

#include "framework/dialog.h"
#include "framework/window.h"

namespace headless {

class HeadlessHost;

// A dialog's window on the headless host: its rectangle, its controls' texts and check states,
// and whether the modal run has been ended. Everything it is asked to do is logged by the host.
class HeadlessWindow : public fw::Window {
  public:
    HeadlessWindow(HeadlessHost& host, fw::CDialog& dialog, HWND handle, fw::Rect rect);

    fw::CDialog& dialog() const { return dialog_; }
    bool ended() const { return ended_; }
    int result() const { return result_; }
    bool destroyed() const { return destroyed_; }
    void markDestroyed() { destroyed_ = true; }
    // Between the start of its OnDestroy and its end.
    bool destroying() const { return destroying_; }
    void markDestroying() { destroying_ = true; }

    HWND handle() const override { return handle_; }
    fw::Rect clientRect() const override;
    fw::Rect windowRect() const override { return rect_; }
    bool isIconic() const override { return false; }
    void invalidate(const fw::Rect* rect, bool erase) override;
    fw::TimerId setTimer(fw::TimerId id, unsigned milliseconds) override;
    bool killTimer(fw::TimerId id) override;
    void setWindowPos(std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy,
                      unsigned flags) override;
    void setIcon(HICON icon, bool big) override;
    void show() override { visible_ = true; }
    void updateNow() override {}
    void endDialog(int result) override;
    void destroy() override;

    std::wstring itemText(int id) const override;
    void setItemText(int id, std::wstring_view text) override;
    int itemCheck(int id) const override;
    void setItemCheck(int id, int state) override;

    bool visible() const { return visible_; }
    HICON icon(bool big) const { return big ? bigIcon_ : smallIcon_; }

  private:
    HeadlessHost& host_;
    fw::CDialog& dialog_;
    HWND handle_;
    fw::Rect rect_;
    bool ended_ = false;
    int result_ = 0;
    bool destroyed_ = false;
    bool destroying_ = false;
    bool visible_ = false;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    std::map<int, std::wstring> texts_;
    std::map<int, int> checks_;
};

}  // namespace headless
