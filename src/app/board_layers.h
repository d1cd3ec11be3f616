#pragma once
#include "framework/dc.h"
#include "framework/geometry.h"
#include "trace/point_arrays.h"
#include "trace/trace_stage.h"

// What the board-space layers read of the test state.
struct BoardLayersInput {
    TraceStage stage = 0;
    const PointArrays& tracePoints;
    const StrokeList& extraStrokes;
    bool showTraces = false;
};

// The progress bars and, with showTraces, the red overlay of every point and extra stroke, drawn
// with the 4096 x 4096 board square mapped onto a window of `window` pixels. A window without
// area has no board space: nothing is drawn. Each bar is one polyline; each array and stroke of
// the overlay one polyline of its steps and one poly-polyline of its ticks. Lines that cannot
// reach the clip box are not issued, and points far from it are not even looked at, so a
// repaint of a small part of the window costs next to nothing however long the traces are.
void DrawBoardLayers(fw::DC& dc, fw::Size window, const BoardLayersInput& in);
