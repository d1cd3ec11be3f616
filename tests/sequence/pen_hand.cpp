#include "pen_hand.h"

#include <algorithm>
#include <limits>

#include "world.h"

namespace {

using tavlo_sim::PenAction;
constexpr std::int64_t kBoardUnits = 4096;

// Where the hand holds the pen across a stage's edge or line: near the bezel, or near the
// projected line drawn inside it; the left and top edges at the low end.
std::int64_t AcrossPosition(TraceStage stage) {
    const std::int64_t inset = stage >= stage::kInternalLeft ? kBoardUnits / 75 : 20;
    const Edge edge = RowOf(stage).edge;
    return edge == Edge::Left || edge == Edge::Top ? inset : kBoardUnits - inset;
}

}  // namespace

bool AlongX(Edge edge) {
    return edge == Edge::Bottom || edge == Edge::Top;
}

std::int64_t Sign(Edge edge) {
    return edge == Edge::Left || edge == Edge::Bottom ? 1 : -1;
}

PenEvent PenHand::event(PenAction action) {
    down_ = action != PenAction::Up;
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    return {action, static_cast<std::int32_t>(std::clamp(x_, kMin, kMax)),
            static_cast<std::int32_t>(std::clamp(y_, kMin, kMax)), pointer_};
}

PenEvent PenHand::next(RandomSource& rng, const CRimtraceDlg& dlg, int pointerId) {
    const TraceStage now = dlg.m_stage;
    if (down_ && !IsTracing(now)) {
        // A free scribble after the test.
        x_ += rng.between(-400, 400);
        y_ += rng.between(-400, 400);
        return event(--scribbleLeft_ <= 0 ? PenAction::Up : PenAction::Move);
    }
    if (!down_) {
        pointer_ = pointerId;
        stage_ = now;
        jitter_ = rng.chance(900) ? rng.between(0, 40) : rng.between(41, 600);
        scribbleLeft_ = static_cast<int>(rng.between(1, 40));
        x_ = rng.between(-100, kBoardUnits + 100);
        y_ = rng.between(-100, kBoardUnits + 100);
        if (!IsTracing(now)) {
            return event(PenAction::Down);
        }
    }
    const Edge traced = RowOf(now).edge;
    std::int64_t& along = AlongX(traced) ? x_ : y_;
    std::int64_t& across = AlongX(traced) ? y_ : x_;
    const TracePointArray& edge = dlg.m_tracePoints[static_cast<std::size_t>(RowOf(now).array)];
    const std::int64_t last = edge.empty() ? 0 : AlongX(traced) ? edge.last().x : edge.last().y;
    if (!down_) {
        // Touches down where the edge stands, or near its start.
        const std::int64_t start = rng.between(-60, 350);
        along = !edge.empty() && rng.chance(600) ? last + Sign(traced) * rng.between(-50, 250)
                : Sign(traced) > 0               ? start
                                                 : kBoardUnits - start;
        across = AcrossPosition(now) + rng.between(-jitter_, jitter_);
        return event(PenAction::Down);
    }
    // Lifts at the far end, now and then on the way, and often when the stage moved on under
    // the resting pen.
    const bool pastFarEnd = Sign(traced) > 0 ? along > kBoardUnits - 290 : along < 290;
    if (pastFarEnd || rng.chance(8) || (now != stage_ && rng.chance(400))) {
        return event(PenAction::Up);
    }
    if (rng.chance(15)) {
        along = rng.anyInt32();
        across = rng.chance(500) ? rng.anyInt32() : across;
        return event(PenAction::Move);
    }
    // After a step the test did not take the hand comes back to the edge's last point. A step
    // is mostly one the test takes, sometimes none or backwards, too fast, or at the limit.
    if (!edge.empty() && rng.chance(700)) {
        along = last;
    }
    const std::int64_t steps[] = {rng.chance(800) ? rng.between(30, 180) : rng.between(1, 300),
                                  rng.between(-250, 0), rng.between(301, 1500),
                                  rng.chance(500) ? 300 : 301};
    along += Sign(traced) * steps[rng.weighted({850, 50, 60, 20})];
    across = AcrossPosition(now) + rng.between(-jitter_, jitter_);
    return event(PenAction::Move);
}

PenEvent WildPenEvent(RandomSource& rng, int boardCount) {
    const int board = static_cast<int>(rng.between(1, kMostBoards));
    const int pointers[] = {
        tavlo_sim::PenPointerId(board), kSecondPenBase + board,
        kUnmappedPointers[rng.below(kUnmappedPointers.size())],
        tavlo_sim::PenPointerId(boardCount + static_cast<int>(rng.below(3)) + 1)};
    const auto action = static_cast<PenAction>(rng.below(3));
    const auto coordinate = [&rng]() -> std::int32_t {
        return rng.chance(600) ? static_cast<std::int32_t>(rng.between(0, kBoardUnits))
                               : rng.anyInt32();
    };
    const std::int32_t x = coordinate();
    return {action, x, coordinate(), pointers[rng.below(4)]};
}
