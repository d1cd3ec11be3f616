#pragma once
#include "framework/dc.h"
#include "framework/win32/win32_handles.h"

namespace win32 {

// A bitmap resource loaded for the program; the GDI object is deleted with it.
class Win32Bitmap : public fw::Bitmap {
  public:
    Win32Bitmap(unsigned id, GdiObject<HBITMAP> bitmap, fw::Size size)
        : id_(id), bitmap_(std::move(bitmap)), size_(size) {}

    unsigned resourceId() const override { return id_; }
    fw::Size size() const override { return size_; }
    HBITMAP handle() const { return bitmap_.get(); }

  private:
    unsigned id_;
    GdiObject<HBITMAP> bitmap_;
    fw::Size size_;
};

}  // namespace win32
