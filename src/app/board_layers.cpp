#include "app/board_layers.h"

#include <algorithm>

#include "app/bar_plan.h"
#include "app/board_box.h"
#include "app/paint_geometry.h"
#include "app/polyline_batch.h"

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

fw::Point At(BoardPoint p) {
    return {p.x, p.y};
}

// A bar: from its start (or its first point) through its points, projected onto the bar's line,
// to its finish. Only the points whose steps reach `visible` along the bar are looked at.
void DrawBar(PolylineBatch& line, const BarPlan& bar, const TracePointArray& points,
             const BoardBox& visible) {
    const BoardPoint* p = points.begin();
    if (bar.start) {
        line.moveTo(*bar.start);
        line.lineTo(bar.through(p[0]));
    }
    const auto near = [&](const PointBox& b) {
        return Touches(bar.axis == BarPlan::Axis::Vertical
                           ? BoardBox{bar.fixed, b.top, bar.fixed, b.bottom}
                           : BoardBox{b.left, bar.fixed, b.right, bar.fixed},
                       visible);
    };
    points.forEachRunNear(near, [&](std::size_t first, std::size_t last) {
        std::size_t i = std::max<std::size_t>(first, 1);
        line.moveTo(bar.through(p[i - 1]));
        for (; i < last; ++i) {
            line.lineTo(bar.through(p[i]));
        }
    });
    if (bar.finish) {
        line.moveTo(bar.through(p[points.size() - 1]));
        line.lineTo(*bar.finish);
    }
}

void DrawProgressBars(fw::DC& dc, fw::Size window, TraceStage stage, const PointArrays& arrays) {
    const std::int32_t penWidth = BarPenWidth(window.cx);
    const fw::ScopedPen pen(dc, {penWidth, kBarColor});
    const BoardBox visible = VisibleBoard(dc, penWidth, window);
    PolylineBatch line(visible);
    for (const BarPlan& bar : PlanBars(stage, penWidth / 2)) {
        const TracePointArray& points = arrays[bar.array];
        if (!points.empty()) {
            DrawBar(line, bar, points, visible);
            line.flush(dc);
        }
    }
}

fw::Point Offset(BoardPoint p, std::int64_t dx, std::int64_t dy) {
    return {fw::Saturate32(std::int64_t{p.x} + dx), fw::Saturate32(std::int64_t{p.y} + dy)};
}

enum class Ticks { Horizontal, Vertical, Cross };

// Each point from the second on: the step from its predecessor into `trail`, its tick or ticks
// into `ticks`. Only the points whose steps or ticks can reach `visible` are looked at.
void DrawTrail(PolylineBatch& trail, PolylineBatch& ticks, const BoardBox& visible,
               const TracePointArray& points, Ticks kind) {
    const BoardBox near = visible.grown(kTick, kTick);
    const BoardPoint* p = points.begin();
    points.forEachRunNear([&](const PointBox& b) { return Touches(BoxOf(b), near); },
                          [&](std::size_t first, std::size_t last) {
                              std::size_t i = std::max<std::size_t>(first, 1);
                              trail.moveTo(At(p[i - 1]));
                              for (; i < last; ++i) {
                                  trail.lineTo(At(p[i]));
                                  if (kind != Ticks::Horizontal) {
                                      ticks.moveTo(Offset(p[i], 0, -kTick));
                                      ticks.lineTo(Offset(p[i], 0, kTick));
                                  }
                                  if (kind != Ticks::Vertical) {
                                      ticks.moveTo(Offset(p[i], -kTick, 0));
                                      ticks.lineTo(Offset(p[i], kTick, 0));
                                  }
                              }
                          });
}

// Each array and stroke as one polyline of its steps and one poly-polyline of its ticks.
void DrawPointOverlay(fw::DC& dc, fw::Size window, const BoardLayersInput& in) {
    const std::int32_t penWidth = OverlayPenWidth(window.cx);
    const fw::ScopedPen pen(dc, {penWidth, kOverlayColor});
    const BoardBox visible = VisibleBoard(dc, penWidth, window);
    PolylineBatch trail(visible);
    PolylineBatch ticks(visible);
    const auto draw = [&](const TracePointArray& points, Ticks kind) {
        DrawTrail(trail, ticks, visible, points, kind);
        trail.flush(dc);
        ticks.flush(dc);
    };
    for (const Pass pass : kPasses) {
        for (const Edge edge : kEdges) {
            // Ticks cross the edge: left and right edges run vertically, so theirs are horizontal.
            const bool alongY = edge == Edge::Left || edge == Edge::Right;
            draw(in.tracePoints[ArrayOf(pass, edge)], alongY ? Ticks::Horizontal : Ticks::Vertical);
        }
    }
    for (const TracePointArray& stroke : in.extraStrokes) {
        draw(stroke, Ticks::Cross);
    }
}

}  // namespace

void DrawBoardLayers(fw::DC& dc, fw::Size window, const BoardLayersInput& in) {
    if (window.cx <= 0 || window.cy <= 0) {
        return;
    }
    const fw::ScopedMapping mapping(dc, {kBoardExtent, kBoardExtent}, window);
    DrawProgressBars(dc, window, in.stage, in.tracePoints);
    if (in.showTraces) {
        DrawPointOverlay(dc, window, in);
    }
}
