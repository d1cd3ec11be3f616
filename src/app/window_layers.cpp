#include "app/window_layers.h"

#include <algorithm>
#include <cstdint>

#include "app/paint_geometry.h"
#include "framework/platform.h"
#include "res/resource.h"

namespace {

constexpr std::int32_t kTileWidth = 195;
constexpr std::int32_t kTileHeight = 150;
constexpr std::int64_t kGridStep = 20;
constexpr fw::PenSpec kGridPen{1, {128, 128, 128}};
constexpr fw::PenSpec kTargetPen{3, {0, 0, 0}};
constexpr fw::FontSpec kPromptFont{-18, 700};

// The first of start, start + step, start + 2 step ... that is at least `lowest`.
std::int64_t FirstStepFrom(std::int64_t start, std::int64_t step, std::int64_t lowest) {
    if (lowest <= start) {
        return start;
    }
    return start + (lowest - start + step - 1) / step * step;
}

}  // namespace

void DrawBackgroundTiles(fw::DC& dc, const fw::Rect& r) {
    const auto tile = fw::CurrentPlatform().loadBitmap(IDB_BACKGROUND);
    if (tile == nullptr) {
        return;
    }
    // Only the tiles that reach into the clip box; a tile at x covers x .. x + 194.
    const fw::Rect clip = dc.clipBox();
    const std::int64_t xEnd = std::min<std::int64_t>(r.right, clip.right);
    const std::int64_t yEnd = std::min<std::int64_t>(r.bottom, clip.bottom);
    const std::int64_t xFirst =
        FirstStepFrom(0, kTileWidth, std::int64_t{clip.left} - (kTileWidth - 1));
    for (std::int64_t y = FirstStepFrom(0, kTileHeight, std::int64_t{clip.top} - (kTileHeight - 1));
         y < yEnd; y += kTileHeight) {
        for (std::int64_t x = xFirst; x < xEnd; x += kTileWidth) {
            const auto left = static_cast<std::int32_t>(x);
            const auto top = static_cast<std::int32_t>(y);
            dc.drawBitmap(
                *tile, {left, top, fw::Saturate32(x + kTileWidth), fw::Saturate32(y + kTileHeight)},
                {0, 0});
        }
    }
}

void DrawGrid(fw::DC& dc, const fw::Rect& r) {
    const fw::ScopedPen pen(dc, kGridPen);
    // A 1-pixel line at x paints column x; one pixel to spare either side of the clip box.
    const fw::Rect clip = dc.clipBox();
    const std::int64_t xEnd = std::min<std::int64_t>(r.right, std::int64_t{clip.right} + 1);
    for (std::int64_t x = FirstStepFrom(std::int64_t{r.left} + kGridStep, kGridStep,
                                        std::int64_t{clip.left} - 1);
         x < xEnd; x += kGridStep) {
        dc.moveTo({static_cast<std::int32_t>(x), r.top});
        dc.lineTo({static_cast<std::int32_t>(x), r.bottom});
    }
    const std::int64_t yEnd = std::min<std::int64_t>(r.bottom, std::int64_t{clip.bottom} + 1);
    for (std::int64_t y =
             FirstStepFrom(std::int64_t{r.top} + kGridStep, kGridStep, std::int64_t{clip.top} - 1);
         y < yEnd; y += kGridStep) {
        dc.moveTo({r.left, static_cast<std::int32_t>(y)});
        dc.lineTo({r.right, static_cast<std::int32_t>(y)});
    }
}

void DrawTargetLine(fw::DC& dc, const LineSegment& line) {
    const fw::ScopedPen pen(dc, kTargetPen);
    dc.moveTo(line.start);
    dc.lineTo(line.end);
}

PromptPlacement DrawPictureAndPrompt(fw::DC& dc, const fw::Rect& r, const fw::Bitmap* picture,
                                     const std::wstring& prompt) {
    PromptPlacement placed;
    placed.picture = PictureRect(r);
    if (picture != nullptr) {
        // The 227-pixel-wide pictures lose their rightmost column.
        dc.drawBitmap(*picture, placed.picture, {0, 0});
    }
    const fw::ScopedTransparentBackground transparent(dc);
    const fw::ScopedFont font(dc, kPromptFont);
    const fw::Size text = prompt.empty() ? fw::Size{} : dc.textExtent(prompt);
    placed.band = PromptBand(r, placed.picture, text.cy);
    if (!prompt.empty()) {
        dc.drawText(prompt, PromptTextBox(r, placed.picture, text));
    }
    return placed;
}
