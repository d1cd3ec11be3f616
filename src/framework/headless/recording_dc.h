#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "framework/dc.h"
#include "framework/dialog.h"

namespace headless {

// An anisotropic mapping: logical (0,0)-(logical) onto device (0,0)-(device).
struct Mapping {
    fw::Size logical;
    fw::Size device;
    friend bool operator==(const Mapping&, const Mapping&) = default;
};

// What was selected into the context when a primitive was drawn.
struct DrawState {
    std::optional<fw::PenSpec> pen;
    std::optional<fw::FontSpec> font;
    bool transparent = false;
    std::optional<Mapping> mapping;
};

struct BlitOp {
    unsigned resourceId = 0;
    fw::Rect dest;
    fw::Point source;
};
// A line from the current position, in the logical units of the mapping in force.
struct LineOp {
    fw::Point from;
    fw::Point to;
    friend bool operator==(const LineOp&, const LineOp&) = default;
};
// Joined lines through the points, in the logical units of the mapping in force.
struct PolylineOp {
    std::vector<fw::Point> points;
};
// Separate polylines: the i-th through the next counts[i] points.
struct PolyPolylineOp {
    std::vector<fw::Point> points;
    std::vector<std::uint32_t> counts;
};
struct TextOp {
    std::wstring text;
    fw::Rect box;
};
struct IconOp {
    HICON icon = nullptr;
    fw::Point at;
};
struct IconEraseOp {};

struct Primitive {
    std::variant<BlitOp, LineOp, PolylineOp, PolyPolylineOp, TextOp, IconOp, IconEraseOp> op;
    DrawState state;
};

// The line segments a primitive draws, in the order it draws them: one for a line, one between
// each two consecutive points of each polyline; none for anything else.
std::vector<LineOp> SegmentsOf(const Primitive& primitive);

// A device context that draws nothing and remembers everything: each primitive with the pen,
// font, background mode and mapping in force, how often the pen was moved, every pop that had no
// matching push and every polyline the platform would refuse (fewer than two points, counts
// that do not add up). The clip box is given in device pixels and reported in the logical units
// of the current mapping, rounded outward. Text is measured as if every character of a font
// h pixels high were h/2 pixels wide (9 x 18 for the prompt font), so positions are predictable.
class RecordingDC : public fw::DC {
  public:
    explicit RecordingDC(fw::Rect deviceClip, fw::Size iconSize = {32, 32});

    const std::vector<Primitive>& primitives() const { return primitives_; }
    std::size_t moveCount() const { return moves_; }
    // Every call that reaches the device: primitives and pen moves.
    std::size_t issuedCount() const { return primitives_.size() + moves_; }
    const std::vector<std::string>& errors() const { return errors_; }
    // No pop without its push, and every push popped again.
    bool balanced() const;

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
    fw::Size iconSize() const override { return iconSize_; }
    void eraseIconBackground() override;

    void pushPen(const fw::PenSpec& pen) override { pens_.push_back(pen); }
    void popPen() override;
    void pushFont(const fw::FontSpec& font) override { fonts_.push_back(font); }
    void popFont() override;
    void pushTransparentBackground() override { transparent_.push_back(true); }
    void popBackgroundMode() override;
    void pushMapping(fw::Size logical, fw::Size device) override;
    void popMapping() override;

  private:
    DrawState state() const;
    void record(decltype(Primitive::op) op);
    template <class T>
    void pop(std::vector<T>& stack, const char* what);

    fw::Rect clip_;
    fw::Size iconSize_;
    fw::Point position_;
    std::vector<Primitive> primitives_;
    std::size_t moves_ = 0;
    std::vector<std::string> errors_;
    std::vector<fw::PenSpec> pens_;
    std::vector<fw::FontSpec> fonts_;
    std::vector<bool> transparent_;
    std::vector<Mapping> mappings_;
};

// Paints `dialog` as its window would be painted for the invalid rectangle `clip` (client pixels;
// the whole client area when absent) and returns what was drawn. A dialog without a window paints
// nothing.
RecordingDC Paint(fw::CDialog& dialog, std::optional<fw::Rect> clip = std::nullopt);

}  // namespace headless
