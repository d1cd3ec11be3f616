#include "app/paint_geometry.h"

#include <algorithm>
#include <limits>

namespace {
constexpr std::int64_t kBarPixels = 19;
constexpr std::int32_t kPictureWidth = 226;
constexpr std::int32_t kPictureHeight = 148;
constexpr std::int64_t kPromptGap = 10;
}  // namespace

std::int32_t Saturate32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t BarPenWidth(std::int32_t windowWidth) {
    return static_cast<std::int32_t>(kBarPixels * kBoardExtent / windowWidth);
}

std::int32_t OverlayPenWidth(std::int32_t windowWidth) {
    return kBoardExtent / windowWidth;
}

fw::Rect PictureRect(const fw::Rect& r) {
    const std::int64_t left = r.left + (r.width() - kPictureWidth) / 2;
    const std::int64_t top = r.top + (r.height() - kPictureHeight) / 2;
    return {Saturate32(left), Saturate32(top), Saturate32(left + kPictureWidth),
            Saturate32(top + kPictureHeight)};
}

fw::Rect PromptBand(const fw::Rect& r, const fw::Rect& picture, std::int32_t textHeight) {
    const std::int64_t top = std::int64_t{picture.bottom} + kPromptGap;
    return {r.left, Saturate32(top), r.right, Saturate32(top + textHeight)};
}

fw::Rect PromptTextBox(const fw::Rect& r, const fw::Rect& picture, fw::Size text) {
    const std::int64_t left = r.left + (r.width() - text.cx) / 2;
    const std::int64_t top = std::int64_t{picture.bottom} + kPromptGap;
    return {Saturate32(left), Saturate32(top), Saturate32(left + text.cx),
            Saturate32(top + text.cy)};
}

fw::Point IconPosition(const fw::Rect& client, fw::Size icon) {
    return {Saturate32((client.width() - icon.cx + 1) / 2),
            Saturate32((client.height() - icon.cy + 1) / 2)};
}
