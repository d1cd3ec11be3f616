#pragma once
#include <vector>

#include "framework/dc.h"
#include "framework/win32/win32_handles.h"

namespace win32 {

// The paint context of one WM_PAINT: BeginPaint on construction, EndPaint on destruction, with
// every pen, font, background mode and mapping a paint handler pushed taken back before.
class PaintDc : public fw::DC {
  public:
    explicit PaintDc(HWND window);
    ~PaintDc() override;
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    fw::Rect clipBox() const override;

    void drawBitmap(const fw::Bitmap& bitmap, const fw::Rect& dest, fw::Point source) override;
    void moveTo(fw::Point p) override;
    void lineTo(fw::Point p) override;
    void polyline(std::span<const fw::Point> points) override;
    void polyPolyline(std::span<const fw::Point> points,
                      std::span<const std::uint32_t> counts) override;
    fw::Size textExtent(std::wstring_view text) override;
    void drawText(std::wstring_view text, const fw::Rect& box) override;
    void drawIcon(HICON icon, fw::Point at) override;
    fw::Size iconSize() const override;
    void eraseIconBackground() override;

    void pushPen(const fw::PenSpec& pen) override;
    void popPen() override;
    void pushFont(const fw::FontSpec& font) override;
    void popFont() override;
    void pushTransparentBackground() override;
    void popBackgroundMode() override;
    void pushMapping(fw::Size logical, fw::Size device) override;
    void popMapping() override;

  private:
    // BeginPaint and EndPaint as one owner, so EndPaint runs last of all.
    class PaintSession {
      public:
        explicit PaintSession(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
        ~PaintSession() { EndPaint(window_, &paint_); }
        PaintSession(const PaintSession&) = delete;
        PaintSession& operator=(const PaintSession&) = delete;
        HDC dc() const { return dc_; }

      private:
        HWND window_;
        PAINTSTRUCT paint_{};
        HDC dc_;
    };

    // A pen or font this context created, and what was selected before it.
    struct SelectedObject {
        GdiObject<HGDIOBJ> object;
        HGDIOBJ previous = nullptr;
    };
    struct Mapping {
        int mode = 0;
        POINT windowOrigin{};
        SIZE windowExtent{};
        POINT viewportOrigin{};
        SIZE viewportExtent{};
    };

    void pushObject(std::vector<SelectedObject>& stack, HGDIOBJ created);
    void popObject(std::vector<SelectedObject>& stack);

    HWND window_;
    PaintSession session_;
    HDC dc_;
    std::vector<SelectedObject> pens_;
    std::vector<SelectedObject> fonts_;
    std::vector<int> backgroundModes_;
    std::vector<Mapping> mappings_;
};

}  // namespace win32
