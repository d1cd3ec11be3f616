#include "framework/headless/recording_dc.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "framework/window.h"

namespace headless {
namespace {

// Character height of the stock font when no font has been selected.
constexpr std::int32_t kStockFontHeight = 16;

std::int32_t Saturate(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
    return -FloorDiv(-a, b);
}

}  // namespace

RecordingDC::RecordingDC(fw::Rect deviceClip, fw::Size iconSize)
    : clip_(deviceClip), iconSize_(iconSize) {}

bool RecordingDC::balanced() const {
    return errors_.empty() && pens_.empty() && fonts_.empty() && transparent_.empty() &&
           mappings_.empty();
}

fw::Rect RecordingDC::clipBox() const {
    if (mappings_.empty()) {
        return clip_;
    }
    const Mapping& m = mappings_.back();
    const auto lo = [](std::int32_t device, std::int32_t logicalExtent, std::int32_t deviceExtent) {
        return Saturate(FloorDiv(std::int64_t{device} * logicalExtent, deviceExtent));
    };
    const auto hi = [](std::int32_t device, std::int32_t logicalExtent, std::int32_t deviceExtent) {
        return Saturate(CeilDiv(std::int64_t{device} * logicalExtent, deviceExtent));
    };
    return {lo(clip_.left, m.logical.cx, m.device.cx), lo(clip_.top, m.logical.cy, m.device.cy),
            hi(clip_.right, m.logical.cx, m.device.cx),
            hi(clip_.bottom, m.logical.cy, m.device.cy)};
}

DrawState RecordingDC::state() const {
    DrawState s;
    if (!pens_.empty()) {
        s.pen = pens_.back();
    }
    if (!fonts_.empty()) {
        s.font = fonts_.back();
    }
    s.transparent = !transparent_.empty();
    if (!mappings_.empty()) {
        s.mapping = mappings_.back();
    }
    return s;
}

void RecordingDC::record(decltype(Primitive::op) op) {
    primitives_.push_back({std::move(op), state()});
}

void RecordingDC::drawBitmap(const fw::Bitmap& bitmap, const fw::Rect& dest, fw::Point source) {
    record(BlitOp{bitmap.resourceId(), dest, source});
}

void RecordingDC::moveTo(fw::Point p) {
    ++moves_;
    position_ = p;
}

void RecordingDC::lineTo(fw::Point p) {
    record(LineOp{position_, p});
    position_ = p;
}

void RecordingDC::polyline(std::span<const fw::Point> points) {
    if (points.size() < 2) {
        errors_.push_back("polyline with fewer than two points");
    }
    record(PolylineOp{{points.begin(), points.end()}});
}

void RecordingDC::polyPolyline(std::span<const fw::Point> points,
                               std::span<const std::uint32_t> counts) {
    std::uint64_t total = 0;
    for (const std::uint32_t count : counts) {
        if (count < 2) {
            errors_.push_back("polyPolyline with a polyline of fewer than two points");
        }
        total += count;
    }
    if (counts.empty() || total != points.size()) {
        errors_.push_back("polyPolyline whose counts do not add up to its points");
    }
    record(PolyPolylineOp{{points.begin(), points.end()}, {counts.begin(), counts.end()}});
}

fw::Size RecordingDC::textExtent(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const std::int64_t height = fonts_.empty() || fonts_.back().height == 0
                                    ? kStockFontHeight
                                    : std::abs(std::int64_t{fonts_.back().height});
    const std::int64_t width = static_cast<std::int64_t>(text.size()) * (height / 2);
    return {Saturate(width), Saturate(height)};
}

void RecordingDC::drawText(std::wstring_view text, const fw::Rect& box) {
    record(TextOp{std::wstring(text), box});
}

void RecordingDC::drawIcon(HICON icon, fw::Point at) {
    record(IconOp{icon, at});
}

void RecordingDC::eraseIconBackground() {
    record(IconEraseOp{});
}

template <class T>
void RecordingDC::pop(std::vector<T>& stack, const char* what) {
    if (stack.empty()) {
        errors_.push_back(std::string(what) + " without a matching push");
        return;
    }
    stack.pop_back();
}

void RecordingDC::popPen() {
    pop(pens_, "popPen");
}

void RecordingDC::popFont() {
    pop(fonts_, "popFont");
}

void RecordingDC::popBackgroundMode() {
    pop(transparent_, "popBackgroundMode");
}

void RecordingDC::pushMapping(fw::Size logical, fw::Size device) {
    // The platform refuses empty or inverted extents; so does this context, loudly.
    if (logical.cx <= 0 || logical.cy <= 0 || device.cx <= 0 || device.cy <= 0) {
        errors_.push_back("pushMapping with an extent that is not positive");
        logical = device = {1, 1};
    }
    mappings_.push_back({logical, device});
}

void RecordingDC::popMapping() {
    pop(mappings_, "popMapping");
}

std::vector<LineOp> SegmentsOf(const Primitive& primitive) {
    std::vector<LineOp> segments;
    const auto joined = [&](std::span<const fw::Point> points) {
        for (std::size_t i = 1; i < points.size(); ++i) {
            segments.push_back({points[i - 1], points[i]});
        }
    };
    if (const auto* line = std::get_if<LineOp>(&primitive.op)) {
        segments.push_back(*line);
    } else if (const auto* poly = std::get_if<PolylineOp>(&primitive.op)) {
        joined(poly->points);
    } else if (const auto* polys = std::get_if<PolyPolylineOp>(&primitive.op)) {
        std::span<const fw::Point> rest = polys->points;
        for (const std::uint32_t count : polys->counts) {
            const std::size_t n = std::min<std::size_t>(count, rest.size());
            joined(rest.first(n));
            rest = rest.subspan(n);
        }
    }
    return segments;
}

RecordingDC Paint(fw::CDialog& dialog, std::optional<fw::Rect> clip) {
    fw::Window* window = dialog.window();
    if (window == nullptr) {
        return RecordingDC(clip.value_or(fw::Rect{}));
    }
    RecordingDC dc(clip.value_or(window->clientRect()));
    dialog.OnPaint(dc);
    return dc;
}

}  // namespace headless
