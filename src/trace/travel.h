#pragma once
#include "trace/board_point.h"
#include "trace/edge.h"
#include "trace/trace_point_array.h"

enum class StepVerdict { Accept, Reject, TooFast };

// Judges a new point of `edge` against the array's last accepted point. Only the coordinate along
// the edge counts, and only onward in the direction the edge is traced; the difference is taken
// in 64 bits so extreme SDK values cannot overflow.
StepVerdict JudgeStep(const TracePointArray& array, BoardPoint point, Edge edge);

// The same judgement of a point against the last accepted point `last`; a reader of stored
// traces re-checks every step with it.
StepVerdict JudgeStepFrom(BoardPoint last, BoardPoint point, Edge edge);

// Whether the last point of `edge` has come within rules::kFarEndReach of the far end of its
// travel.
bool ReachesFarEnd(BoardPoint last, Edge edge);

// Until the random sequences name a side by its Edge: the direction each edge is traced in, as
// they still write it. Nothing else uses these.
enum class Travel { Down, Right, Up, Left };

inline constexpr Travel TravelOfSide(int side) {
    constexpr Travel kBySide[4] = {Travel::Down, Travel::Right, Travel::Up, Travel::Left};
    return kBySide[static_cast<unsigned>(side) % 4];
}

inline constexpr Edge EdgeOf(Travel travel) {
    return static_cast<Edge>(static_cast<int>(travel));
}

inline StepVerdict JudgeStepFrom(BoardPoint last, BoardPoint point, Travel travel) {
    return JudgeStepFrom(last, point, EdgeOf(travel));
}

inline bool ReachesFarEnd(BoardPoint last, Travel travel) {
    return ReachesFarEnd(last, EdgeOf(travel));
}
