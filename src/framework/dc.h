#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "framework/geometry.h"
#include "framework/native_handles.h"

namespace fw {

struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

// A solid pen; width in logical units of the mapping in force when it is selected.
struct PenSpec {
    std::int32_t width = 1;
    Color color;
    friend bool operator==(const PenSpec&, const PenSpec&) = default;
};

// The stock GUI font's description with the height and weight replaced.
struct FontSpec {
    std::int32_t height = 0;
    std::int32_t weight = 400;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// A bitmap loaded from the program's resources; the backend owns the underlying object.
class Bitmap {
  public:
    virtual ~Bitmap() = default;
    virtual unsigned resourceId() const = 0;
    virtual Size size() const = 0;
};

// The device context a paint handler draws into. Selections are stacked: every Push has its Pop,
// which restores what was selected before (see the Scoped* helpers below).
class DC {
  public:
    virtual ~DC() = default;

    // Bounding box of the region being repainted, in current logical coordinates.
    virtual Rect clipBox() const = 0;

    virtual void drawBitmap(const Bitmap& bitmap, const Rect& dest, Point source) = 0;
    virtual void moveTo(Point p) = 0;
    virtual void lineTo(Point p) = 0;
    // Joined lines through `points` in order, at least two of them. The current position is
    // neither used nor moved.
    virtual void polyline(std::span<const Point> points) = 0;
    // Separate polylines in one call: the i-th through the next counts[i] points (at least two);
    // the counts add up to the number of points. The current position is neither used nor moved.
    virtual void polyPolyline(std::span<const Point> points,
                              std::span<const std::uint32_t> counts) = 0;
    virtual Size textExtent(std::wstring_view text) = 0;
    // Black text, left- and top-aligned in `box`, one line.
    virtual void drawText(std::wstring_view text, const Rect& box) = 0;
    virtual void drawIcon(HICON icon, Point at) = 0;
    virtual Size iconSize() const = 0;
    virtual void eraseIconBackground() = 0;

    virtual void pushPen(const PenSpec& pen) = 0;
    virtual void popPen() = 0;
    virtual void pushFont(const FontSpec& font) = 0;
    virtual void popFont() = 0;
    virtual void pushTransparentBackground() = 0;
    virtual void popBackgroundMode() = 0;
    // Anisotropic mapping: logical (0,0)-(logical) onto device (0,0)-(device).
    virtual void pushMapping(Size logical, Size device) = 0;
    virtual void popMapping() = 0;
};

class ScopedPen {
  public:
    ScopedPen(DC& dc, const PenSpec& pen) : dc_(dc) { dc_.pushPen(pen); }
    ~ScopedPen() { dc_.popPen(); }
    ScopedPen(const ScopedPen&) = delete;
    ScopedPen& operator=(const ScopedPen&) = delete;

  private:
    DC& dc_;
};

class ScopedFont {
  public:
    ScopedFont(DC& dc, const FontSpec& font) : dc_(dc) { dc_.pushFont(font); }
    ~ScopedFont() { dc_.popFont(); }
    ScopedFont(const ScopedFont&) = delete;
    ScopedFont& operator=(const ScopedFont&) = delete;

  private:
    DC& dc_;
};

class ScopedTransparentBackground {
  public:
    explicit ScopedTransparentBackground(DC& dc) : dc_(dc) { dc_.pushTransparentBackground(); }
    ~ScopedTransparentBackground() { dc_.popBackgroundMode(); }
    ScopedTransparentBackground(const ScopedTransparentBackground&) = delete;
    ScopedTransparentBackground& operator=(const ScopedTransparentBackground&) = delete;

  private:
    DC& dc_;
};

class ScopedMapping {
  public:
    ScopedMapping(DC& dc, Size logical, Size device) : dc_(dc) { dc_.pushMapping(logical, device); }
    ~ScopedMapping() { dc_.popMapping(); }
    ScopedMapping(const ScopedMapping&) = delete;
    ScopedMapping& operator=(const ScopedMapping&) = delete;

  private:
    DC& dc_;
};

}  // namespace fw
