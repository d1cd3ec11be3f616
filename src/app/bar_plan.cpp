#include "app/bar_plan.h"

#include "app/paint_geometry.h"
#include "trace/stage_table.h"
#include "rules/board_rules.h"

namespace {

// Where the internal-trace bars run, in whole board units.
constexpr std::int32_t kNearLine = rules::kInternalNearUnits;
constexpr std::int32_t kFarLine = rules::kInternalFarUnits;
constexpr std::int32_t kEdges = 4;

// A bezel bar of one pass: from the corner where the edge's trace begins, along the edge.
BarPlan EdgeBar(int edge, std::size_t firstArray, std::int32_t half, bool finished) {
    constexpr std::int32_t e = kBoardExtent;
    const std::size_t array = firstArray + static_cast<std::size_t>(edge);
    BarPlan bar;
    fw::Point end;
    switch (edge) {
        case 0:  // left, downwards
            bar = {array, BarPlan::Axis::Vertical, half, fw::Point{half, 0}, std::nullopt};
            end = {half, e};
            break;
        case 1:  // bottom, rightwards
            bar = {array, BarPlan::Axis::Horizontal, e - half, fw::Point{0, e - half},
                   std::nullopt};
            end = {e, e - half};
            break;
        case 2:  // right, upwards
            bar = {array, BarPlan::Axis::Vertical, e - half, fw::Point{e - half, e}, std::nullopt};
            end = {e - half, 0};
            break;
        default:  // top, leftwards
            bar = {array, BarPlan::Axis::Horizontal, half, fw::Point{e, half}, std::nullopt};
            end = {0, half};
            break;
    }
    if (finished) {
        bar.finish = end;
    }
    return bar;
}

// An internal-trace bar: only the points themselves, on the line's fixed position.
BarPlan InternalBar(int edge, std::size_t firstArray) {
    const bool vertical = edge % 2 == 0;
    const bool near = edge == 0 || edge == 3;
    return {firstArray + static_cast<std::size_t>(edge),
            vertical ? BarPlan::Axis::Vertical : BarPlan::Axis::Horizontal,
            near ? kNearLine : kFarLine, std::nullopt, std::nullopt};
}

}  // namespace

std::vector<BarPlan> PlanBars(TraceStage stage, std::int32_t half) {
    const StageRow& row = RowOf(stage);
    std::vector<BarPlan> bars;
    for (int edge = 0; edge < kEdges; ++edge) {
        const bool finished = edge < row.finishedBars;
        switch (row.bars) {
            case Bars::FirstTrace:
                bars.push_back(EdgeBar(edge, 0, half, finished));
                break;
            case Bars::SecondTrace:
                bars.push_back(EdgeBar(edge, 4, half, finished));
                break;
            case Bars::InternalTrace:
                bars.push_back(InternalBar(edge, 8));
                break;
            case Bars::None:
                break;
        }
    }
    return bars;
}
