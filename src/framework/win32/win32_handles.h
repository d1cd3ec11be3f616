#pragma once
// Owners for Windows handles, used by the backend, TAVLO.dll's host, the stand-ins and the
// driver: each handle is released exactly once, by its owner.
#include <memory>
#include <type_traits>

#include "framework/win32/win32_api.h"

#include <objbase.h>
#include <ole2.h>

namespace win32 {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
// A file or process. Null means "no handle": INVALID_HANDLE_VALUE is never stored.
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
    // For CreateWindowExW.
    const wchar_t* name() const { return MAKEINTATOM(atom_); }

  private:
    HINSTANCE instance_;
    ATOM atom_ = 0;
};

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
// A pen, font or bitmap this program created. Never owns a stock object.
template <typename Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

struct MemoryDcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
// A device context from CreateCompatibleDC.
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

struct LibraryDeleter {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
// A module from LoadLibrary.
using LoadedModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryDeleter>;

struct CoTaskMemDeleter {
    void operator()(void* memory) const { CoTaskMemFree(memory); }
};
// Memory the shell hands out with CoTaskMemAlloc.
template <typename T>
using CoTaskMem = std::unique_ptr<T, CoTaskMemDeleter>;

// An object selected into a device context for the lifetime of this guard; what was selected
// before is selected back at the end, before the object itself may be deleted.
class Selection {
  public:
    Selection(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~Selection() {
        if (previous_ != nullptr) {
            SelectObject(dc_, previous_);
        }
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// OLE on the user-interface thread, for as long as the object lives.
class OleSession {
  public:
    OleSession() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (initialised_) {
            OleUninitialize();
        }
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

  private:
    bool initialised_;
};

}  // namespace win32
