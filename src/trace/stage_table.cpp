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

// Side `side` of a bezel pass whose first stage is `first` and whose points go to arrays from
// `firstArray` on.
constexpr StageRow BezelRow(TraceStage first, int firstArray, int side, Pass pass, Bars bars) {
    StageRow row;
    row.stage = first + side;
    row.pass = pass;
    row.side = side;
    row.array = firstArray + side;
    row.travel = TravelOfSide(side);
    row.promptId = kEdgePrompt[side];
    row.pictureId = kEdgePicture[side];
    row.next = side < 3 ? row.stage + 1 : stage::kFinished;
    row.byPenUp = kEdgeByPenUp;
    row.byTimeout = kEdgeByTimeout;
    row.deleteClears = true;
    row.deleteBackTo = side > 0 ? row.stage - 1 : -1;
    row.strip = kBezelStrip[side];
    row.bars = bars;
    row.finishedBars = side;
    return row;
}

constexpr StageRow LineRow(int side) {
    StageRow row;
    row.stage = stage::kInternalLeft + side;
    row.pass = Pass::Internal;
    row.side = side;
    row.array = 8 + side;
    row.travel = TravelOfSide(side);
    row.promptId = kLinePrompt[side];
    row.next = side < 3 ? row.stage + 1 : stage::kFinished;
    row.byPenUp = kLine;
    row.byTimeout = kLine;
    row.strip = kLineStrip[side];
    row.bars = Bars::InternalTrace;
    return row;
}

constexpr StageRow FinishedRow() {
    StageRow row;
    row.stage = stage::kFinished;
    row.bars = Bars::FirstTrace;
    row.finishedBars = 4;
    return row;
}

constexpr std::array<StageRow, stage::kCount> BuildTable() {
    std::array<StageRow, stage::kCount> table{};
    for (int side = 0; side < 4; ++side) {
        table[stage::kFirstLeft + side] =
            BezelRow(stage::kFirstLeft, 0, side, Pass::First, Bars::FirstTrace);
        table[stage::kSecondLeft + side] =
            BezelRow(stage::kSecondLeft, 4, side, Pass::Second, Bars::SecondTrace);
        table[stage::kInternalLeft + side] = LineRow(side);
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
