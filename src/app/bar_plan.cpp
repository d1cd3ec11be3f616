#include "app/bar_plan.h"

#include "app/paint_geometry.h"
#include "trace/stage_table.h"
#include "rules/board_rules.h"

namespace {

// Where the internal-trace bars run, in whole board units.
constexpr std::int32_t kNearLine = rules::kInternalNearUnits;
constexpr std::int32_t kFarLine = rules::kInternalFarUnits;

// A bezel bar of one pass: from the corner where the edge's trace begins, along the edge.
BarPlan EdgeBar(Pass pass, Edge edge, std::int32_t half, bool finished) {
    constexpr std::int32_t e = kBoardExtent;
    const std::size_t array = ArrayOf(pass, edge);
    BarPlan bar;
    fw::Point end;
    switch (edge) {
        case Edge::Left:  // downwards
            bar = {array, BarPlan::Axis::Vertical, half, fw::Point{half, 0}, std::nullopt};
            end = {half, e};
            break;
        case Edge::Bottom:  // rightwards
            bar = {array, BarPlan::Axis::Horizontal, e - half, fw::Point{0, e - half},
                   std::nullopt};
            end = {e, e - half};
            break;
        case Edge::Right:  // upwards
            bar = {array, BarPlan::Axis::Vertical, e - half, fw::Point{e - half, e}, std::nullopt};
            end = {e - half, 0};
            break;
        case Edge::Top:  // leftwards
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
BarPlan InternalBar(Edge edge) {
    const bool vertical = edge == Edge::Left || edge == Edge::Right;
    const bool near = edge == Edge::Left || edge == Edge::Top;
    return {ArrayOf(Pass::Internal, edge),
            vertical ? BarPlan::Axis::Vertical : BarPlan::Axis::Horizontal,
            near ? kNearLine : kFarLine, std::nullopt, std::nullopt};
}

}  // namespace

std::vector<BarPlan> PlanBars(TraceStage stage, std::int32_t half) {
    const StageRow& row = RowOf(stage);
    std::vector<BarPlan> bars;
    if (!row.bars) {
        return bars;
    }
    for (const Edge edge : kEdges) {
        const bool finished = static_cast<int>(edge) < row.finishedBars;
        bars.push_back(*row.bars == Pass::Internal ? InternalBar(edge)
                                                   : EdgeBar(*row.bars, edge, half, finished));
    }
    return bars;
}
