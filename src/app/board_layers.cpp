#include "app/board_layers.h"

#include <algorithm>
#include <optional>

#include "app/bar_plan.h"
#include "app/board_box.h"
#include "app/culled_lines.h"
#include "app/paint_geometry.h"

namespace {

constexpr fw::Color kBarColor{128, 128, 255};
constexpr fw::Color kOverlayColor{255, 0, 0};
constexpr std::int64_t kTick = 10;

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
    return (a + b - 1) / b;
}

// The part of board space whose lines can paint inside the clip box: the box grown by how far a
// pen of `penWidth` board units paints beside its line, plus two pixels for the rounding of the
// mapping and of the clip box itself. The pen's width is taken in pixels of the larger scale so
// either way the platform scales it, it stays within reach.
BoardBox VisibleBoard(fw::DC& dc, std::int32_t penWidth, fw::Size window) {
    const std::int64_t larger = std::max(window.cx, window.cy);
    const std::int64_t penPixels = CeilDiv(std::int64_t{penWidth} * larger, kBoardExtent);
    const std::int64_t reachPixels = penPixels / 2 + 2;
    return BoxOf(dc.clipBox())
        .grown(CeilDiv(reachPixels * kBoardExtent, window.cx),
               CeilDiv(reachPixels * kBoardExtent, window.cy));
}

// Bounding boxes of the twelve point arrays, each found on first use and kept for this paint:
// the bars and the overlay both ask, and a box that misses the clip spares the walk.
class ArrayBounds {
  public:
    explicit ArrayBounds(const std::array<TracePointArray, 12>& arrays) : arrays_(arrays) {}
    const BoardBox& of(std::size_t i) {
        if (!boxes_[i]) {
            boxes_[i] = BoundsOf(arrays_[i]);
        }
        return *boxes_[i];
    }

  private:
    const std::array<TracePointArray, 12>& arrays_;
    std::array<std::optional<BoardBox>, 12> boxes_;
};

// The box a bar's polyline covers, from its array's box, start and finish.
BoardBox BarBounds(const BarPlan& bar, const BoardBox& points) {
    BoardBox b;
    if (bar.axis == BarPlan::Axis::Vertical) {
        b.include(bar.fixed, points.top);
        b.include(bar.fixed, points.bottom);
    } else {
        b.include(points.left, bar.fixed);
        b.include(points.right, bar.fixed);
    }
    for (const auto& end : {bar.start, bar.finish}) {
        if (end) {
            b.include(end->x, end->y);
        }
    }
    return b;
}

void DrawBar(CulledLines& lines, const BarPlan& bar, const TracePointArray& points) {
    const BoardPoint* p = points.begin();
    if (bar.start) {
        lines.moveTo(*bar.start);
    } else {
        lines.moveTo(bar.through(*p++));
    }
    for (; p != points.end(); ++p) {
        lines.lineTo(bar.through(*p));
    }
    if (bar.finish) {
        lines.lineTo(*bar.finish);
    }
}

void DrawProgressBars(fw::DC& dc, fw::Size window, TraceStage stage,
                      const std::array<TracePointArray, 12>& arrays, ArrayBounds& bounds) {
    const std::int32_t penWidth = BarPenWidth(window.cx);
    const fw::ScopedPen pen(dc, {penWidth, kBarColor});
    const BoardBox visible = VisibleBoard(dc, penWidth, window);
    CulledLines lines(dc, visible);
    for (const BarPlan& bar : PlanBars(stage, penWidth / 2)) {
        const TracePointArray& points = arrays[bar.array];
        if (!points.empty() && Touches(BarBounds(bar, bounds.of(bar.array)), visible)) {
            DrawBar(lines, bar, points);
        }
    }
}

fw::Point Offset(BoardPoint p, std::int64_t dx, std::int64_t dy) {
    return {Saturate32(std::int64_t{p.x} + dx), Saturate32(std::int64_t{p.y} + dy)};
}

enum class Ticks { Horizontal, Vertical, Cross };

// A box in 32 bits, for the per-point test of the overlay walk. Clamping a bound into the 32-bit
// range can only make a point count as inside where it was just beyond, never the reverse.
struct NearBox {
    explicit NearBox(const BoardBox& b)
        : left(Saturate32(b.left)),
          top(Saturate32(b.top)),
          right(Saturate32(b.right)),
          bottom(Saturate32(b.bottom)) {}

    // The sides a point lies beyond, one bit each: a step whose two ends lie beyond the same side
    // cannot come near the box.
    unsigned beyond(BoardPoint p) const {
        return static_cast<unsigned>(p.x < left) | static_cast<unsigned>(p.x > right) << 1 |
               static_cast<unsigned>(p.y < top) << 2 | static_cast<unsigned>(p.y > bottom) << 3;
    }

    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

// Each point from the second on: the segment from its predecessor, then its tick(s). A step whose
// segment and ticks all stay clear of `visible` is passed over without a call.
void DrawTrail(CulledLines& lines, const BoardBox& visible, const TracePointArray& points,
               Ticks ticks) {
    const NearBox near(visible.grown(kTick, kTick));
    const BoardPoint* prev = points.begin();
    unsigned prevBeyond = near.beyond(*prev);
    for (const BoardPoint* p = prev + 1; p < points.end(); prev = p++) {
        const unsigned beyond = near.beyond(*p);
        const bool clear = (beyond & prevBeyond) != 0;
        prevBeyond = beyond;
        if (clear) {
            continue;
        }
        lines.moveTo({prev->x, prev->y});
        lines.lineTo({p->x, p->y});
        if (ticks != Ticks::Horizontal) {
            lines.moveTo(Offset(*p, 0, -kTick));
            lines.lineTo(Offset(*p, 0, kTick));
        }
        if (ticks != Ticks::Vertical) {
            lines.moveTo(Offset(*p, -kTick, 0));
            lines.lineTo(Offset(*p, kTick, 0));
        }
    }
}

void DrawPointOverlay(fw::DC& dc, fw::Size window, const BoardLayersInput& in,
                      ArrayBounds& bounds) {
    const std::int32_t penWidth = OverlayPenWidth(window.cx);
    const fw::ScopedPen pen(dc, {penWidth, kOverlayColor});
    const BoardBox visible = VisibleBoard(dc, penWidth, window);
    CulledLines lines(dc, visible);
    for (std::size_t i = 0; i < in.tracePoints.size(); ++i) {
        if (in.tracePoints[i].size() >= 2 && Touches(bounds.of(i).grown(kTick, kTick), visible)) {
            // Ticks cross the edge: left and right edges run vertically, so theirs are horizontal.
            const bool alongY = i % 4 == 0 || i % 4 == 2;
            DrawTrail(lines, visible, in.tracePoints[i],
                      alongY ? Ticks::Horizontal : Ticks::Vertical);
        }
    }
    for (const TracePointArray& stroke : in.extraStrokes) {
        if (stroke.size() >= 2 && Touches(BoundsOf(stroke).grown(kTick, kTick), visible)) {
            DrawTrail(lines, visible, stroke, Ticks::Cross);
        }
    }
}

}  // namespace

void DrawBoardLayers(fw::DC& dc, fw::Size window, const BoardLayersInput& in) {
    if (window.cx <= 0 || window.cy <= 0) {
        return;
    }
    const fw::ScopedMapping mapping(dc, {kBoardExtent, kBoardExtent}, window);
    ArrayBounds bounds(in.tracePoints);
    DrawProgressBars(dc, window, in.stage, in.tracePoints, bounds);
    if (in.showTraces) {
        DrawPointOverlay(dc, window, in, bounds);
    }
}
