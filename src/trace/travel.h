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
