#include "pen_hand.h"

#include <algorithm>
#include <limits>

#include "trace/travel.h"
#include "world.h"

namespace {

using tavlo_sim::PenAction;

constexpr std::int64_t kBoardUnits = 4096;

// Where the hand holds the pen across a stage's edge or line: near the bezel, or near the
// projected line drawn inside it.
std::int64_t AcrossPosition(TraceStage stage) {
    const bool internal = stage >= stage::kInternalLeft;
    const std::int64_t inset = internal ? kBoardUnits / 75 : 20;
    switch (RowOf(stage).travel) {
        case Travel::Down:  // left edge
        case Travel::Left:  // top edge
            return inset;
        case Travel::Right:  // bottom edge
        case Travel::Up:     // right edge
            return kBoardUnits - inset;
    }
    return 0;
}

std::int32_t Clamp(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// The distance of a step along the travel: mostly one the test takes, sometimes none or
// backwards, too fast, or exactly at the limit.
std::int64_t RandomStep(RandomSource& rng) {
    switch (rng.weighted({850, 50, 60, 20})) {
        case 0:
            return rng.chance(800) ? rng.between(30, 180) : rng.between(1, 300);
        case 1:
            return rng.between(-250, 0);
        case 2:
            return rng.between(301, 1500);
        default:
            return rng.chance(500) ? 300 : 301;
    }
}

}  // namespace

bool AlongX(Travel travel) {
    return travel == Travel::Right || travel == Travel::Left;
}

std::int64_t Sign(Travel travel) {
    return travel == Travel::Down || travel == Travel::Right ? 1 : -1;
}

PenEvent PenHand::event(PenAction action) const {
    return {action, Clamp(x_), Clamp(y_), pointer_};
}

PenEvent PenHand::next(RandomSource& rng, const CRimtraceDlg& dlg, int pointerId) {
    if (!down_) {
        return touch(rng, dlg, pointerId);
    }
    return IsTracing(dlg.m_stage) ? trace(rng, dlg) : scribble(rng);
}

PenEvent PenHand::touch(RandomSource& rng, const CRimtraceDlg& dlg, int pointerId) {
    down_ = true;
    pointer_ = pointerId;
    stage_ = dlg.m_stage;
    jitter_ = rng.chance(900) ? rng.between(0, 40) : rng.between(41, 600);
    if (!IsTracing(stage_)) {
        x_ = rng.between(-100, kBoardUnits + 100);
        y_ = rng.between(-100, kBoardUnits + 100);
        scribbleLeft_ = static_cast<int>(rng.between(1, 40));
        return event(PenAction::Down);
    }
    const Travel travel = RowOf(stage_).travel;
    const TracePointArray& edge = dlg.m_tracePoints[static_cast<std::size_t>(RowOf(stage_).array)];
    std::int64_t along = 0;
    if (!edge.empty() && rng.chance(600)) {
        // Goes on from where the edge stands.
        const BoardPoint last = edge.last();
        along = (AlongX(travel) ? last.x : last.y) + Sign(travel) * rng.between(-50, 250);
    } else {
        const std::int64_t start = rng.between(-60, 350);
        along = Sign(travel) > 0 ? start : kBoardUnits - start;
    }
    const std::int64_t across = AcrossPosition(stage_) + rng.between(-jitter_, jitter_);
    (AlongX(travel) ? x_ : y_) = along;
    (AlongX(travel) ? y_ : x_) = across;
    return event(PenAction::Down);
}

PenEvent PenHand::trace(RandomSource& rng, const CRimtraceDlg& dlg) {
    const TraceStage now = dlg.m_stage;
    const Travel travel = RowOf(now).travel;
    const bool alongX = AlongX(travel);
    std::int64_t& along = alongX ? x_ : y_;
    std::int64_t& across = alongX ? y_ : x_;
    const bool pastFarEnd = Sign(travel) > 0 ? along > kBoardUnits - 290 : along < 290;
    // Lifts at the far end, now and then on the way, and often when the stage moved on under
    // the resting pen.
    if (pastFarEnd || rng.chance(8) || (now != stage_ && rng.chance(400))) {
        down_ = false;
        return event(PenAction::Up);
    }
    if (rng.chance(15)) {
        along = rng.anyInt32();
        across = rng.chance(500) ? rng.anyInt32() : across;
        return event(PenAction::Move);
    }
    // After a step the test did not take the hand comes back to the edge's last point.
    const TracePointArray& edge = dlg.m_tracePoints[static_cast<std::size_t>(RowOf(now).array)];
    if (!edge.empty() && rng.chance(700)) {
        const BoardPoint last = edge.last();
        along = alongX ? last.x : last.y;
    }
    along += Sign(travel) * RandomStep(rng);
    across = AcrossPosition(now) + rng.between(-jitter_, jitter_);
    return event(PenAction::Move);
}

PenEvent PenHand::scribble(RandomSource& rng) {
    if (--scribbleLeft_ <= 0) {
        down_ = false;
        return event(PenAction::Up);
    }
    x_ += rng.between(-400, 400);
    y_ += rng.between(-400, 400);
    return event(PenAction::Move);
}

PenEvent WildPenEvent(RandomSource& rng, int boardCount) {
    int pointer = 0;
    switch (rng.below(4)) {
        case 0:
            pointer = tavlo_sim::PenPointerId(static_cast<int>(rng.between(1, kMostBoards)));
            break;
        case 1:
            pointer = kSecondPenBase + static_cast<int>(rng.between(1, kMostBoards));
            break;
        case 2:
            pointer = kUnmappedPointers[rng.below(kUnmappedPointers.size())];
            break;
        default:
            pointer = tavlo_sim::PenPointerId(boardCount + static_cast<int>(rng.between(1, 3)));
            break;
    }
    const auto action = static_cast<PenAction>(rng.below(3));
    const auto coordinate = [&rng]() -> std::int32_t {
        return rng.chance(600) ? static_cast<std::int32_t>(rng.between(0, kBoardUnits))
                               : rng.anyInt32();
    };
    const std::int32_t x = coordinate();
    return {action, x, coordinate(), pointer};
}
