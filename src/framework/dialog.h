#pragma once
#include <cstdint>

#include "framework/geometry.h"
#include "framework/native_handles.h"
#include "framework/window.h"

namespace fw {

class DC;

// A dialog built on a template resource. The backend creates the window, attaches it, and
// routes the window's messages to the handlers below; a handler a dialog does not override gets
// the default handling (OK and Cancel end the modal run with their command id).
class CDialog {
  public:
    explicit CDialog(unsigned templateId);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    unsigned templateId() const { return templateId_; }

    // Runs the dialog modally and returns the value given to EndDialog (-1 when it could not be
    // created).
    std::intptr_t DoModal();
    // Creates the dialog modeless; the window lives until DestroyWindow or the object's end.
    bool Create();
    void DestroyWindow();
    void EndDialog(int result);

    HWND GetSafeHwnd() const;
    Window* window() const { return window_; }

    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(kOk); }
    virtual void OnCancel() { EndDialog(kCancel); }
    // A command from a control other than OK and Cancel; returns whether it was handled.
    virtual bool OnCommand(int /*id*/) { return false; }
    virtual void OnPaint(DC& /*dc*/) {}
    virtual HICON OnQueryDragIcon() { return nullptr; }
    virtual void OnKeyDown(unsigned /*key*/) {}
    virtual void OnTimer(TimerId /*id*/) {}
    // A registered (application-wide) window message; returns whether it was handled.
    virtual bool OnRegisteredMessage(unsigned /*message*/) { return false; }
    virtual void OnDestroy() {}
    // The user's session is ending (log-off, shutdown) when `ending`; the process may be ended
    // at any moment after this returns, without any further message.
    virtual void OnEndSession(bool /*ending*/) {}

    // Backend side: the window exists between attach and detach.
    void attachWindow(Window* window) { window_ = window; }
    void detachWindow() { window_ = nullptr; }

  private:
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;
    unsigned templateId_;
    Window* window_ = nullptr;
};

}  // namespace fw
