// Owners of the Windows handles the stand-ins and the driver hold.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace sim {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
// Null means "no handle": INVALID_HANDLE_VALUE is never stored.
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

inline UniqueHandle OwnHandle(HANDLE handle) {
    return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

// A window class registered for as long as the object lives.
class WindowClass {
  public:
    WindowClass(const wchar_t* name, WNDPROC proc, HINSTANCE instance) : instance_(instance) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = proc;
        wc.hInstance = instance;
        wc.lpszClassName = name;
        atom_ = RegisterClassExW(&wc);
    }
    ~WindowClass() {
        if (atom_ != 0) {
            UnregisterClassW(MAKEINTATOM(atom_), instance_);
        }
    }
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;

    bool registered() const { return atom_ != 0; }
    const wchar_t* name() const { return MAKEINTATOM(atom_); }

  private:
    HINSTANCE instance_;
    ATOM atom_ = 0;
};

}  // namespace sim
