#include "framework/win32/paint_dc.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <numeric>
#include <vector>

#include "framework/win32/win32_bitmap.h"

namespace win32 {
namespace {

COLORREF ToColorRef(fw::Color c) {
    return RGB(c.r, c.g, c.b);
}

// GDI counts characters in int; a longer text is cut at that length instead of wrapping.
int TextLength(std::wstring_view text) {
    return static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
}

std::vector<POINT> ToPoints(std::span<const fw::Point> points) {
    std::vector<POINT> out;
    out.reserve(points.size());
    for (const fw::Point& p : points) {
        out.push_back({p.x, p.y});
    }
    return out;
}

}  // namespace

PaintDc::PaintDc(HWND window) : window_(window), session_(window), dc_(session_.dc()) {}

PaintDc::~PaintDc() {
    // Everything selected goes back before the objects are deleted and the paint ends.
    while (!mappings_.empty()) {
        popMapping();
    }
    while (!backgroundModes_.empty()) {
        popBackgroundMode();
    }
    while (!fonts_.empty()) {
        popFont();
    }
    while (!pens_.empty()) {
        popPen();
    }
}

fw::Rect PaintDc::clipBox() const {
    RECT r{};
    GetClipBox(dc_, &r);
    return {r.left, r.top, r.right, r.bottom};
}

void PaintDc::drawBitmap(const fw::Bitmap& bitmap, const fw::Rect& dest, fw::Point source) {
    const auto* own = dynamic_cast<const Win32Bitmap*>(&bitmap);
    if (own == nullptr) {
        return;  // not one of this backend's bitmaps: nothing to draw
    }
    const MemoryDc memory(CreateCompatibleDC(dc_));
    if (!memory) {
        return;
    }
    const Selection selected(memory.get(), own->handle());
    const auto width = static_cast<int>(std::clamp<std::int64_t>(dest.width(), 0, INT_MAX));
    const auto height = static_cast<int>(std::clamp<std::int64_t>(dest.height(), 0, INT_MAX));
    BitBlt(dc_, dest.left, dest.top, width, height, memory.get(), source.x, source.y, SRCCOPY);
}

void PaintDc::moveTo(fw::Point p) {
    MoveToEx(dc_, p.x, p.y, nullptr);
}

void PaintDc::lineTo(fw::Point p) {
    LineTo(dc_, p.x, p.y);
}

void PaintDc::polyline(std::span<const fw::Point> points) {
    const std::vector<POINT> all = ToPoints(points);
    // GDI counts the points in int: a longer polyline goes out in pieces that share their ends.
    for (std::size_t from = 0; all.size() - from >= 2;) {
        const std::size_t n = std::min<std::size_t>(all.size() - from, INT_MAX);
        Polyline(dc_, all.data() + from, static_cast<int>(n));
        from += n - 1;
    }
}

void PaintDc::polyPolyline(std::span<const fw::Point> points,
                           std::span<const std::uint32_t> counts) {
    // Counts that do not add up would make GDI read past the points: such a call draws nothing.
    if (std::accumulate(counts.begin(), counts.end(), std::uint64_t{0}) != points.size()) {
        return;
    }
    const std::vector<POINT> all = ToPoints(points);
    const std::vector<DWORD> perLine(counts.begin(), counts.end());
    PolyPolyline(dc_, all.data(), perLine.data(),
                 static_cast<DWORD>(std::min<std::size_t>(perLine.size(), MAXDWORD)));
}

fw::Size PaintDc::textExtent(std::wstring_view text) {
    SIZE size{};
    if (!GetTextExtentPoint32W(dc_, text.data(), TextLength(text), &size)) {
        return {};
    }
    return {size.cx, size.cy};
}

void PaintDc::drawText(std::wstring_view text, const fw::Rect& box) {
    RECT r{box.left, box.top, box.right, box.bottom};
    const COLORREF previous = SetTextColor(dc_, RGB(0, 0, 0));
    DrawTextW(dc_, text.data(), TextLength(text), &r,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(dc_, previous);
}

void PaintDc::drawIcon(HICON icon, fw::Point at) {
    DrawIcon(dc_, at.x, at.y, icon);
}

fw::Size PaintDc::iconSize() const {
    return {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
}

void PaintDc::eraseIconBackground() {
    SendMessageW(window_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc_), 0);
}

void PaintDc::pushObject(std::vector<SelectedObject>& stack, HGDIOBJ created) {
    SelectedObject entry;
    entry.object.reset(created);
    if (entry.object) {
        entry.previous = SelectObject(dc_, entry.object.get());
    }
    stack.push_back(std::move(entry));
}

void PaintDc::popObject(std::vector<SelectedObject>& stack) {
    if (stack.empty()) {
        return;
    }
    if (stack.back().previous != nullptr) {
        SelectObject(dc_, stack.back().previous);
    }
    stack.pop_back();
}

void PaintDc::pushPen(const fw::PenSpec& pen) {
    pushObject(pens_, CreatePen(PS_SOLID, pen.width, ToColorRef(pen.color)));
}

void PaintDc::popPen() {
    popObject(pens_);
}

void PaintDc::pushFont(const fw::FontSpec& font) {
    LOGFONTW description{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    description.lfHeight = font.height;
    description.lfWeight = font.weight;
    pushObject(fonts_, CreateFontIndirectW(&description));
}

void PaintDc::popFont() {
    popObject(fonts_);
}

void PaintDc::pushTransparentBackground() {
    backgroundModes_.push_back(SetBkMode(dc_, TRANSPARENT));
}

void PaintDc::popBackgroundMode() {
    if (backgroundModes_.empty()) {
        return;
    }
    SetBkMode(dc_, backgroundModes_.back());
    backgroundModes_.pop_back();
}

void PaintDc::pushMapping(fw::Size logical, fw::Size device) {
    Mapping previous;
    previous.mode = SetMapMode(dc_, MM_ANISOTROPIC);
    // The window extent goes first: the viewport extent is adjusted to it.
    SetWindowOrgEx(dc_, 0, 0, &previous.windowOrigin);
    SetWindowExtEx(dc_, logical.cx, logical.cy, &previous.windowExtent);
    SetViewportOrgEx(dc_, 0, 0, &previous.viewportOrigin);
    SetViewportExtEx(dc_, device.cx, device.cy, &previous.viewportExtent);
    mappings_.push_back(previous);
}

void PaintDc::popMapping() {
    if (mappings_.empty()) {
        return;
    }
    const Mapping& previous = mappings_.back();
    SetMapMode(dc_, previous.mode);
    SetWindowExtEx(dc_, previous.windowExtent.cx, previous.windowExtent.cy, nullptr);
    SetViewportExtEx(dc_, previous.viewportExtent.cx, previous.viewportExtent.cy, nullptr);
    SetWindowOrgEx(dc_, previous.windowOrigin.x, previous.windowOrigin.y, nullptr);
    SetViewportOrgEx(dc_, previous.viewportOrigin.x, previous.viewportOrigin.y, nullptr);
    mappings_.pop_back();
}

}  // namespace win32
