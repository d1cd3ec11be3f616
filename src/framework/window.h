#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/geometry.h"
#include "framework/native_handles.h"

namespace fw {

using TimerId = std::uintptr_t;

// The live window behind a dialog object, supplied by the backend between creation and
// destruction. Everything a dialog asks of its own window goes through here.
class Window {
  public:
    virtual ~Window() = default;

    virtual HWND handle() const = 0;
    virtual Rect clientRect() const = 0;
    virtual Rect windowRect() const = 0;  // screen coordinates
    virtual bool isIconic() const = 0;
    // A null rectangle invalidates the whole client area.
    virtual void invalidate(const Rect* rect, bool erase) = 0;
    // Returns the timer's identifier, 0 when no timer could be made.
    virtual TimerId setTimer(TimerId id, unsigned milliseconds) = 0;
    virtual bool killTimer(TimerId id) = 0;
    virtual void setWindowPos(std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy,
                              unsigned flags) = 0;
    virtual void setIcon(HICON icon, bool big) = 0;
    virtual void show() = 0;
    virtual void updateNow() = 0;
    // Ends the modal run with `result` once the current handler returns.
    virtual void endDialog(int result) = 0;
    virtual void destroy() = 0;

    // Controls of a dialog template, by id.
    virtual std::wstring itemText(int id) const = 0;
    virtual void setItemText(int id, std::wstring_view text) = 0;
    virtual int itemCheck(int id) const = 0;
    virtual void setItemCheck(int id, int state) = 0;
};

}  // namespace fw
