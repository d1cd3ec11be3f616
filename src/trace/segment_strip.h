#pragma once
#include <cstddef>

#include "framework/geometry.h"
#include "trace/board_point.h"
#include "trace/trace_stage.h"

// The box around the segment p-q in client pixels (board units scaled by client size / 4096 in
// single precision, truncated, saturated), grown by 19 pixels on every side.
fw::Rect SegmentBox(BoardPoint p, BoardPoint q, const fw::Rect& client);

// The feedback strip of `stage` that must be repainted after a new segment: the 19-pixel band of
// the edge's progress bar (or the band around an internal line) spanning the segment box. The
// first segment of an edge reaches back to the window's near edge, a completed edge to its far
// edge. Stages without a strip return the segment box unchanged.
fw::Rect FeedbackStrip(TraceStage stage, const fw::Rect& segmentBox, const fw::Rect& client,
                       std::size_t pointCount, bool toEnd);
