#pragma once
#include <optional>

#include "framework/dialog.h"
#include "framework/win32/win32_api.h"
#include "framework/win32/win32_window.h"

namespace win32 {

// A dialog object joined to its window from WM_INITDIALOG to WM_DESTROY. The binding is the
// dialog procedure's user value; it routes the window's messages to the dialog's handlers and
// leaves everything else to the dialog manager's default handling.
class DialogBinding {
  public:
    // `mark`: a window property the window carries while it is bound (none when null).
    explicit DialogBinding(fw::CDialog& dialog, const wchar_t* mark = nullptr)
        : dialog_(dialog), mark_(mark) {}
    DialogBinding(const DialogBinding&) = delete;
    DialogBinding& operator=(const DialogBinding&) = delete;

    fw::CDialog& dialog() const { return dialog_; }
    // True once the window has been destroyed.
    bool closed() const { return closed_; }
    HWND window() const { return window_ ? window_->handle() : nullptr; }

    // Give this with the binding's address as the creation parameter.
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    INT_PTR initialise(HWND window);
    INT_PTR route(HWND window, UINT message, WPARAM wParam);
    INT_PTR routeCommand(WPARAM wParam);
    INT_PTR routeRegistered(HWND window, UINT message);
    void paint(HWND window);
    void destroyed(HWND window);

    fw::CDialog& dialog_;
    const wchar_t* mark_;
    std::optional<Win32Window> window_;
    bool closed_ = false;
};

}  // namespace win32
