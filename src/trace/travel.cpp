#include "trace/travel.h"

#include "rules/board_rules.h"

namespace {
std::int64_t Progress(BoardPoint last, BoardPoint next, Travel travel) {
    switch (travel) {
        case Travel::Down:
            return std::int64_t{next.y} - last.y;
        case Travel::Right:
            return std::int64_t{next.x} - last.x;
        case Travel::Up:
            return std::int64_t{last.y} - next.y;
        case Travel::Left:
            return std::int64_t{last.x} - next.x;
    }
    return 0;
}
}  // namespace

StepVerdict JudgeStep(const TracePointArray& array, BoardPoint point, Travel travel) {
    if (array.empty()) {
        return StepVerdict::Accept;
    }
    return JudgeStepFrom(array.last(), point, travel);
}

StepVerdict JudgeStepFrom(BoardPoint last, BoardPoint point, Travel travel) {
    const std::int64_t d = Progress(last, point, travel);
    if (d <= 0) {
        return StepVerdict::Reject;
    }
    return d > rules::kMaxStep ? StepVerdict::TooFast : StepVerdict::Accept;
}

bool ReachesFarEnd(BoardPoint last, Travel travel) {
    switch (travel) {
        case Travel::Down:
            return last.y > rules::kFarEndHigh;
        case Travel::Right:
            return last.x > rules::kFarEndHigh;
        case Travel::Up:
            return last.y < rules::kFarEndLow;
        case Travel::Left:
            return last.x < rules::kFarEndLow;
    }
    return false;
}
