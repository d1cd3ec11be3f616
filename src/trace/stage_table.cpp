#include "trace/stage_table.h"

#include "res/resource.h"

namespace {

using S = CompletionStep;

// A bezel edge that moves on to the next edge of its pass: the next prompt and picture first;
// a time-out also repaints, since the pen's last segment was never shown complete.
constexpr CompletionSteps kEdgeByPenUp{S::Prompt, S::Stage, S::Beep, S::End, S::End};
constexpr CompletionSteps kEdgeByTimeout{S::Prompt, S::Stage, S::Repaint, S::Beep, S::End};
// An internal line moves on the same way whichever ended it.
constexpr CompletionSteps kLine{S::Prompt, S::Stage, S::Repaint, S::Beep, S::End};

constexpr unsigned kEdgePrompt[4] = {IDS_TRACE_LEFT, IDS_TRACE_BOTTOM, IDS_TRACE_RIGHT,
                                     IDS_TRACE_TOP};
constexpr unsigned kEdgePicture[4] = {IDB_TRACE_LEFT, IDB_TRACE_BOTTOM, IDB_TRACE_RIGHT,
                                      IDB_TRACE_TOP};
constexpr unsigned kLinePrompt[4] = {IDS_LINE_DOWN, IDS_LINE_RIGHT, IDS_LINE_UP, IDS_LINE_LEFT};
constexpr Strip kBezelStrip[4] = {Strip::LeftBezel, Strip::BottomBezel, Strip::RightBezel,
                                  Strip::TopBezel};
constexpr Strip kLineStrip[4] = {Strip::LeftLine, Strip::BottomLine, Strip::RightLine,
                                 Strip::TopLine};

// The row of the stage that traces `edge` of `pass`; the first stage of the pass is `first`.
constexpr StageRow TracingRow(TraceStage first, Pass pass, Edge edge) {
    const auto side = static_cast<std::size_t>(edge);
    StageRow row;
    row.stage = first + static_cast<TraceStage>(side);
    row.pass = pass;
    row.edge = edge;
    row.array = static_cast<int>(ArrayOf(pass, edge));
    row.next = edge != Edge::Top ? row.stage + 1 : stage::kFinished;
    row.bars = pass;
    if (pass == Pass::Internal) {
        row.promptId = kLinePrompt[side];
        row.byPenUp = kLine;
        row.byTimeout = kLine;
        row.strip = kLineStrip[side];
        return row;
    }
    row.promptId = kEdgePrompt[side];
    row.pictureId = kEdgePicture[side];
    row.byPenUp = kEdgeByPenUp;
    row.byTimeout = kEdgeByTimeout;
    row.deleteClears = true;
    row.deleteBackTo = edge != Edge::Left ? row.stage - 1 : -1;
    row.strip = kBezelStrip[side];
    row.finishedBars = static_cast<int>(side);
    return row;
}

// The result on screen: extra strokes only, or one of the passes the end-of-test dialog offers.
constexpr StageRow FinishedRow() {
    StageRow row;
    row.stage = stage::kFinished;
    row.bars = Pass::First;
    row.finishedBars = 4;
    row.nextBySecondTrace = stage::kSecondLeft;
    row.nextByInternalTrace = stage::kInternalLeft;
    return row;
}

constexpr std::array<StageRow, stage::kCount> BuildTable() {
    std::array<StageRow, stage::kCount> table{};
    for (const Edge edge : kEdges) {
        for (const StageRow& row : {TracingRow(stage::kFirstLeft, Pass::First, edge),
                                    TracingRow(stage::kSecondLeft, Pass::Second, edge),
                                    TracingRow(stage::kInternalLeft, Pass::Internal, edge)}) {
            table[static_cast<std::size_t>(row.stage)] = row;
        }
    }
    table[stage::kFinished] = FinishedRow();

    // The last stage of each pass leads back to the finished stage, in its own order.
    StageRow& firstTop = table[stage::kFirstTop];
    firstTop.byPenUp = {S::Stage, S::Repaint, S::Beep, S::PassEnd, S::End};
    firstTop.byTimeout = firstTop.byPenUp;
    firstTop.passEnd = PassEnd::FirstPass;

    StageRow& secondTop = table[stage::kSecondTop];
    secondTop.byPenUp = {S::Stage, S::Beep, S::PassEnd, S::End, S::End};
    secondTop.byTimeout = {S::Stage, S::Beep, S::PassEnd, S::Repaint, S::End};
    secondTop.passEnd = PassEnd::SecondPass;

    StageRow& lineTop = table[stage::kInternalTop];
    lineTop.byPenUp = {S::Stage, S::Repaint, S::Beep, S::PassEnd, S::End};
    lineTop.byTimeout = {S::Stage, S::Beep, S::Repaint, S::PassEnd, S::End};
    lineTop.passEnd = PassEnd::InternalTrace;
    return table;
}

constexpr std::array<StageRow, stage::kCount> kTable = BuildTable();
constexpr StageRow kNoStage{};

}  // namespace

const StageRow& RowOf(TraceStage s) {
    if (s < 0 || s >= stage::kCount) {
        return kNoStage;
    }
    return kTable[static_cast<std::size_t>(s)];
}
