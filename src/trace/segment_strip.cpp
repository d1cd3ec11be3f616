#include "trace/segment_strip.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "rules/board_rules.h"
#include "trace/stage_table.h"

namespace {

using fw::Saturate32;

constexpr std::int32_t kStripWidth = rules::kBarPixels;
// Where the internal lines' strips are repainted, as single-precision board positions.
constexpr float kNearLine = rules::kInternalNear;
constexpr float kFarLine = rules::kInternalFar;
static_assert(kNearLine == 54.613335f && kFarLine == 4041.38671875f);
// A pixel beyond the far edge of any window up to 4096 pixels across, where the strips that reach
// the far edge have always ended. A larger window (an 8K panel's) needs its own far edge, or the
// end of its bar is never repainted.
constexpr std::int32_t kBeyond = 4096;

std::int32_t FarEnd(std::int32_t clientFar) {
    return std::max(kBeyond, clientFar);
}

// Truncation toward zero that saturates instead of being undefined for huge or NaN values.
std::int32_t TruncateSaturated(float v) {
    if (std::isnan(v)) {
        return 0;
    }
    if (v >= 2147483648.0f) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (v < -2147483648.0f) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(v);
}

float Scale(std::int64_t extent) {
    return static_cast<float>(extent) * (1.0f / static_cast<float>(rules::kBoardExtent));
}

}  // namespace

fw::Rect SegmentBox(BoardPoint p, BoardPoint q, const fw::Rect& client) {
    const float sx = Scale(client.width());
    const float sy = Scale(client.height());
    const std::int32_t x1 = TruncateSaturated(static_cast<float>(p.x) * sx);
    const std::int32_t y1 = TruncateSaturated(static_cast<float>(p.y) * sy);
    const std::int32_t x2 = TruncateSaturated(static_cast<float>(q.x) * sx);
    const std::int32_t y2 = TruncateSaturated(static_cast<float>(q.y) * sy);
    return {Saturate32(std::int64_t{std::min(x1, x2)} - kStripWidth),
            Saturate32(std::int64_t{std::min(y1, y2)} - kStripWidth),
            Saturate32(std::int64_t{std::max(x1, x2)} + kStripWidth),
            Saturate32(std::int64_t{std::max(y1, y2)} + kStripWidth)};
}

fw::Rect FeedbackStrip(TraceStage stage, const fw::Rect& box, const fw::Rect& client,
                       std::size_t pointCount, bool toEnd) {
    const bool first = pointCount == 2;
    const float sx = Scale(client.width());
    const float sy = Scale(client.height());
    fw::Rect r = box;
    switch (RowOf(stage).strip) {
        case Strip::LeftBezel:
            r.left = 0;
            r.right = kStripWidth;
            if (first)
                r.top = 0;
            if (toEnd)
                r.bottom = FarEnd(client.bottom);
            break;
        case Strip::BottomBezel:
            r.top = Saturate32(std::int64_t{client.bottom} - kStripWidth);
            r.bottom = client.bottom;
            if (first)
                r.left = 0;
            if (toEnd)
                r.right = FarEnd(client.right);
            break;
        case Strip::RightBezel:
            r.left = Saturate32(std::int64_t{client.right} - kStripWidth);
            r.right = client.right;
            if (first)
                r.bottom = FarEnd(client.bottom);
            if (toEnd)
                r.top = 0;
            break;
        case Strip::TopBezel:
            r.top = 0;
            r.bottom = kStripWidth;
            if (first)
                r.right = FarEnd(client.right);
            if (toEnd)
                r.left = 0;
            break;
        case Strip::LeftLine:
        case Strip::RightLine: {
            const float at = RowOf(stage).strip == Strip::LeftLine ? kNearLine : kFarLine;
            const std::int32_t x = TruncateSaturated(sx * at);
            r.left = Saturate32(std::int64_t{x} - kStripWidth);
            r.right = Saturate32(std::int64_t{x} + kStripWidth);
            break;
        }
        case Strip::BottomLine:
        case Strip::TopLine: {
            const float at = RowOf(stage).strip == Strip::BottomLine ? kFarLine : kNearLine;
            const std::int32_t y = TruncateSaturated(sy * at);
            r.top = Saturate32(std::int64_t{y} - kStripWidth);
            r.bottom = Saturate32(std::int64_t{y} + kStripWidth);
            break;
        }
        case Strip::None:
            break;
    }
    return r;
}
