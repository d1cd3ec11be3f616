#include "app/paint_geometry.h"

namespace {
constexpr std::int32_t kPictureWidth = 226;
constexpr std::int32_t kPictureHeight = 148;
constexpr std::int64_t kPromptGap = 10;
}  // namespace

std::int32_t BarPenWidth(std::int32_t windowWidth) {
    return static_cast<std::int32_t>(std::int64_t{rules::kBarPixels} * kBoardExtent / windowWidth);
}

std::int32_t OverlayPenWidth(std::int32_t windowWidth) {
    return kBoardExtent / windowWidth;
}

fw::Rect PictureRect(const fw::Rect& r) {
    const std::int64_t left = r.left + (r.width() - kPictureWidth) / 2;
    const std::int64_t top = r.top + (r.height() - kPictureHeight) / 2;
    return {fw::Saturate32(left), fw::Saturate32(top), fw::Saturate32(left + kPictureWidth),
            fw::Saturate32(top + kPictureHeight)};
}

fw::Rect PromptBand(const fw::Rect& r, const fw::Rect& picture, std::int32_t textHeight) {
    const std::int64_t top = std::int64_t{picture.bottom} + kPromptGap;
    return {r.left, fw::Saturate32(top), r.right, fw::Saturate32(top + textHeight)};
}

fw::Rect PromptTextBox(const fw::Rect& r, const fw::Rect& picture, fw::Size text) {
    const std::int64_t left = r.left + (r.width() - text.cx) / 2;
    const std::int64_t top = std::int64_t{picture.bottom} + kPromptGap;
    return {fw::Saturate32(left), fw::Saturate32(top), fw::Saturate32(left + text.cx),
            fw::Saturate32(top + text.cy)};
}

fw::Point IconPosition(const fw::Rect& client, fw::Size icon) {
    return {fw::Saturate32((client.width() - icon.cx + 1) / 2),
            fw::Saturate32((client.height() - icon.cy + 1) / 2)};
}
