// Owners of the Windows handles the board's DLL holds.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace tavlo_win {

struct FileCloser {
    void operator()(HANDLE file) const { CloseHandle(file); }
};
// INVALID_HANDLE_VALUE is never stored: callers keep null for "no file".
using UniqueFile = std::unique_ptr<std::remove_pointer_t<HANDLE>, FileCloser>;

inline UniqueFile OwnFile(HANDLE file) {
    return UniqueFile(file == INVALID_HANDLE_VALUE ? nullptr : file);
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
    ATOM atom() const { return atom_; }

  private:
    HINSTANCE instance_;
    ATOM atom_ = 0;
};

// The board's own DLL, for its folder and its window class.
inline HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

}  // namespace tavlo_win
