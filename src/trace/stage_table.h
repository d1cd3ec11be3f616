#pragma once
// The tracing sequence as one table: for every stage, what it traces and into which array, which
// way, what the window shows, what completing it does and in which order, and where Delete goes.
// The pen input, the stage machine, the feedback strips, the bars and the prompts all read it.
#include <array>
#include <optional>

#include "trace/point_arrays.h"
#include "trace/trace_stage.h"

// One action of a stage's completion; a completion runs its actions in the order listed.
enum class CompletionStep {
    Prompt,   // SetPrompt with the next stage's prompt and picture
    Stage,    // the next stage becomes the current one
    Repaint,  // the whole window, with background erase
    Beep,     // the system's default message beep
    PassEnd,  // what the end of this pass does (below)
    End,      // no further action
};

// What completing the last stage of a pass leads to.
enum class PassEnd {
    None,
    FirstPass,      // analysis and the end-of-test dialog, or the orientation points and exit
    SecondPass,     // the comparison with the first pass (interactive runs)
    InternalTrace,  // the first pass's result line again
};

// The 19-pixel band repainted around a stage's progress after each new point.
enum class Strip {
    None,
    LeftBezel,
    BottomBezel,
    RightBezel,
    TopBezel,
    LeftLine,
    BottomLine,
    RightLine,
    TopLine,
};

using CompletionSteps = std::array<CompletionStep, 5>;

struct StageRow {
    TraceStage stage = -1;
    std::optional<Pass> pass;  // none: the finished stage
    Edge edge = Edge::Left;    // the edge it traces, or the edge its internal line runs beside
    int array = -1;            // ArrayOf(pass, edge), the array it fills; -1 for none
    unsigned promptId = 0;     // 0: the prompt is left as it is
    unsigned pictureId = 0;    // 0: no picture
    TraceStage next = -1;      // where completing it leads; -1: it cannot be completed
    CompletionSteps byPenUp{CompletionStep::End};
    CompletionSteps byTimeout{CompletionStep::End};
    PassEnd passEnd = PassEnd::None;
    // Delete discards this stage's points; once there are none, it goes back to `deleteBackTo`
    // and discards that stage's points (-1: never across the start of a pass).
    bool deleteClears = false;
    TraceStage deleteBackTo = -1;
    Strip strip = Strip::None;
    std::optional<Pass> bars;  // whose bars the window shows; none: no bars
    int finishedBars = 0;  // how many of the shown bars, from the left one on, reach their far end
    // Where the end-of-test dialog's choice of a second pass or an internal trace leads from this
    // stage (-1: nowhere); the internal trace wins when both were chosen.
    TraceStage nextBySecondTrace = -1;
    TraceStage nextByInternalTrace = -1;
};

// The row of a stage; a value outside the sequence gets a row that does nothing.
const StageRow& RowOf(TraceStage s);

// Whether the stage traces an edge or line (its pen points go to an array).
inline bool IsTracing(TraceStage s) {
    return RowOf(s).array >= 0;
}
