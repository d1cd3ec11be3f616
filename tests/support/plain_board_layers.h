#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>

#include "framework/dc.h"
#include "trace/trace_point_array.h"
#include "trace/trace_stage.h"

// The progress bars and the point overlay exactly as defined, every line its own move and line
// call, nothing left out: the yardstick the batched, clipped painting is checked and measured
// against. Draws in board space mapped onto `window` (which must have an area).
inline void PlainBoardLayers(fw::DC& dc, fw::Size window, TraceStage stage,
                             const std::array<TracePointArray, 12>& arrays,
                             const StrokeList& strokes, bool showTraces) {
    const auto clamp = [](std::int64_t v) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(
            v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
    };
    const auto at = [&](BoardPoint p, std::int64_t dx, std::int64_t dy) {
        return fw::Point{clamp(std::int64_t{p.x} + dx), clamp(std::int64_t{p.y} + dy)};
    };
    constexpr std::int32_t e = 4096;
    dc.pushMapping({e, e}, window);

    const std::int32_t h = 77824 / window.cx / 2;
    dc.pushPen({77824 / window.cx, {128, 128, 255}});
    // One bar: from `start` (else the first point) through every point's (x, y) with x or y
    // replaced by the bar's fixed position, then to `finish`.
    const auto bar = [&](const TracePointArray& a, std::optional<std::int32_t> x,
                         std::optional<std::int32_t> y, std::optional<fw::Point> start,
                         std::optional<fw::Point> finish) {
        if (a.empty()) {
            return;
        }
        const auto through = [&](BoardPoint p) {
            return fw::Point{x.value_or(p.x), y.value_or(p.y)};
        };
        dc.moveTo(start.value_or(through(a.element(0))));
        for (std::size_t i = start ? 0 : 1; i < a.size(); ++i) {
            dc.lineTo(through(a.element(i)));
        }
        if (finish) {
            dc.lineTo(*finish);
        }
    };
    const auto finishedIf = [](bool done, fw::Point end) {
        return done ? std::optional<fw::Point>(end) : std::nullopt;
    };
    if (stage >= 0 && stage <= 8) {
        const bool first = stage <= 4;
        const std::size_t base = first ? 0 : 4;
        const bool left = first ? stage != 0 : stage > 5;
        const bool bottom = first ? stage >= 2 : stage > 6;
        const bool right = first ? stage >= 3 : stage > 7;
        const bool top = first && stage == 4;
        bar(arrays[base + 0], h, {}, fw::Point{h, 0}, finishedIf(left, {h, e}));
        bar(arrays[base + 1], {}, e - h, fw::Point{0, e - h}, finishedIf(bottom, {e, e - h}));
        bar(arrays[base + 2], e - h, {}, fw::Point{e - h, e}, finishedIf(right, {e - h, 0}));
        bar(arrays[base + 3], {}, h, fw::Point{e, h}, finishedIf(top, {0, h}));
    } else if (stage >= 9 && stage <= 12) {
        bar(arrays[8], 54, {}, {}, {});
        bar(arrays[9], {}, 4042, {}, {});
        bar(arrays[10], 4042, {}, {}, {});
        bar(arrays[11], {}, 54, {}, {});
    }
    dc.popPen();

    if (showTraces) {
        dc.pushPen({e / window.cx, {255, 0, 0}});
        const auto trail = [&](const TracePointArray& a, bool vertical, bool horizontal) {
            for (std::size_t j = 1; j < a.size(); ++j) {
                const BoardPoint p = a.element(j);
                dc.moveTo(at(a.element(j - 1), 0, 0));
                dc.lineTo(at(p, 0, 0));
                if (vertical) {
                    dc.moveTo(at(p, 0, -10));
                    dc.lineTo(at(p, 0, 10));
                }
                if (horizontal) {
                    dc.moveTo(at(p, -10, 0));
                    dc.lineTo(at(p, 10, 0));
                }
            }
        };
        for (std::size_t i = 0; i < arrays.size(); ++i) {
            const bool acrossLeftOrRight = i % 4 == 0 || i % 4 == 2;
            trail(arrays[i], !acrossLeftOrRight, acrossLeftOrRight);
        }
        for (const TracePointArray& stroke : strokes) {
            trail(stroke, true, true);
        }
        dc.popPen();
    }
    dc.popMapping();
}
