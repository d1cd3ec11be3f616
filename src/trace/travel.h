#pragma once
#include "trace/board_point.h"
#include "trace/trace_point_array.h"

// The direction an edge or internal line is traced in: the coordinate that must grow or shrink.
enum class Travel { Down, Right, Up, Left };

// The direction of each side, in the order every group of four uses (left, bottom, right, top):
// the left side is traced top to bottom, the bottom one left to right, and so on round the board.
inline constexpr Travel TravelOfSide(int side) {
    constexpr Travel kBySide[4] = {Travel::Down, Travel::Right, Travel::Up, Travel::Left};
    return kBySide[static_cast<unsigned>(side) % 4];
}

enum class StepVerdict { Accept, Reject, TooFast };

// Judges a new point against the array's last accepted point. Only the coordinate along the
// direction of travel counts; the difference is taken in 64 bits so extreme SDK values cannot
// overflow.
StepVerdict JudgeStep(const TracePointArray& array, BoardPoint point, Travel travel);

// The same judgement of a point against the last accepted point `last`; a reader of stored
// traces re-checks every step with it.
StepVerdict JudgeStepFrom(BoardPoint last, BoardPoint point, Travel travel);

// Whether the last point of an edge has come within rules::kFarEndReach of the far end of its
// travel.
bool ReachesFarEnd(BoardPoint last, Travel travel);
