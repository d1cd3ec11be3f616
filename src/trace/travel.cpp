#include "trace/travel.h"

#include "rules/board_rules.h"

namespace {
std::int64_t Progress(BoardPoint last, BoardPoint next, Edge edge) {
    switch (edge) {
        case Edge::Left:  // downwards
            return std::int64_t{next.y} - last.y;
        case Edge::Bottom:  // rightwards
            return std::int64_t{next.x} - last.x;
        case Edge::Right:  // upwards
            return std::int64_t{last.y} - next.y;
        case Edge::Top:  // leftwards
            return std::int64_t{last.x} - next.x;
    }
    return 0;
}
}  // namespace

StepVerdict JudgeStep(const TracePointArray& array, BoardPoint point, Edge edge) {
    if (array.empty()) {
        return StepVerdict::Accept;
    }
    return JudgeStepFrom(array.last(), point, edge);
}

StepVerdict JudgeStepFrom(BoardPoint last, BoardPoint point, Edge edge) {
    const std::int64_t d = Progress(last, point, edge);
    if (d <= 0) {
        return StepVerdict::Reject;
    }
    return d > rules::kMaxStep ? StepVerdict::TooFast : StepVerdict::Accept;
}

bool ReachesFarEnd(BoardPoint last, Edge edge) {
    switch (edge) {
        case Edge::Left:
            return last.y > rules::kFarEndHigh;
        case Edge::Bottom:
            return last.x > rules::kFarEndHigh;
        case Edge::Right:
            return last.y < rules::kFarEndLow;
        case Edge::Top:
            return last.x < rules::kFarEndLow;
    }
    return false;
}
