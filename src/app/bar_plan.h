#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "framework/geometry.h"
#include "trace/board_point.h"
#include "trace/trace_stage.h"

// One progress bar in board space: a polyline that runs along a fixed line through the points of
// one trace array, projected onto that line.
struct BarPlan {
    enum class Axis { Vertical, Horizontal };

    std::size_t array = 0;  // the point array it runs through (ArrayOf)
    Axis axis = Axis::Vertical;
    std::int32_t fixed = 0;  // the x of a vertical bar, the y of a horizontal one
    // Where the bar begins at the window edge; none: at the array's first point.
    std::optional<fw::Point> start;
    // Where a finished bar ends at the far window edge; none while the edge is not done.
    std::optional<fw::Point> finish;

    fw::Point through(BoardPoint p) const {
        return axis == Axis::Vertical ? fw::Point{fixed, p.y} : fw::Point{p.x, fixed};
    }
};

// The bars shown in `stage`, in the order left, bottom, right, top: the bars of the pass the
// stage belongs to (first trace for 0..4, second for 5..8, internal lines for 9..12), each bar
// finished once the pass has moved past its edge. `half` is half the bar pen's width, which
// keeps the edge bars inside the window. No bars for stages outside 0..12.
std::vector<BarPlan> PlanBars(TraceStage stage, std::int32_t half);
