// Every stage of the tracing sequence, walked through completion (by pen-up and by time-out) and
// through Delete, against the sequence as the test's user knows it: which stage comes next, what
// the window then asks for, in which order prompt, stage, repaint and beep happen, and how far
// Delete steps back.
#include <gtest/gtest.h>

#include <string>

#include "framework/constants.h"
#include "res/resource.h"
#include "support/trace_fixture.h"

using headless::LogEntry;
using headless::ModalSession;

namespace {

struct Expected {
    TraceStage stage;
    TraceStage next;          // after the stage is completed
    unsigned nextPrompt;      // the string then shown (0: a result line)
    unsigned nextPicture;     // the picture then shown (0: none)
    std::string byPenUp;      // P prompt changed, R whole window repainted, B beep; each with the
    std::string byTimeout;    // stage it happened in
    TraceStage deleteBackTo;  // where Delete goes once the stage has no points (-1: stays)
    bool deleteClears;        // Delete discards the stage's points
};

// The sequence: three passes of four sides, the finished stage between them.
const Expected kSequence[] = {
    {stage::kFirstLeft, stage::kFirstBottom, IDS_TRACE_BOTTOM, IDB_TRACE_BOTTOM, "P0 B1",
     "P0 R1 B1", -1, true},
    {stage::kFirstBottom, stage::kFirstRight, IDS_TRACE_RIGHT, IDB_TRACE_RIGHT, "P1 B2", "P1 R2 B2",
     stage::kFirstLeft, true},
    {stage::kFirstRight, stage::kFirstTop, IDS_TRACE_TOP, IDB_TRACE_TOP, "P2 B3", "P2 R3 B3",
     stage::kFirstBottom, true},
    // The end of the first pass: the result line, then the end-of-test dialog (cancelled here);
    // after a time-out the window is repainted once more when the dialog has closed.
    {stage::kFirstTop, stage::kFinished, 0, 0, "R4 B4 P4", "R4 B4 P4 R4", stage::kFirstRight, true},
    {stage::kFinished, stage::kFinished, 0, 0, "", "", -1, false},
    {stage::kSecondLeft, stage::kSecondBottom, IDS_TRACE_BOTTOM, IDB_TRACE_BOTTOM, "P5 B6",
     "P5 R6 B6", -1, true},
    {stage::kSecondBottom, stage::kSecondRight, IDS_TRACE_RIGHT, IDB_TRACE_RIGHT, "P6 B7",
     "P6 R7 B7", stage::kSecondLeft, true},
    {stage::kSecondRight, stage::kSecondTop, IDS_TRACE_TOP, IDB_TRACE_TOP, "P7 B8", "P7 R8 B8",
     stage::kSecondBottom, true},
    // The end of the second pass: the comparison line; a time-out repaints after it.
    {stage::kSecondTop, stage::kFinished, 0, 0, "B4 P4", "B4 P4 R4", stage::kSecondRight, true},
    {stage::kInternalLeft, stage::kInternalBottom, IDS_LINE_RIGHT, 0, "P9 R10 B10", "P9 R10 B10",
     -1, false},
    {stage::kInternalBottom, stage::kInternalRight, IDS_LINE_UP, 0, "P10 R11 B11", "P10 R11 B11",
     -1, false},
    {stage::kInternalRight, stage::kInternalTop, IDS_LINE_LEFT, 0, "P11 R12 B12", "P11 R12 B12", -1,
     false},
    // The end of the internal trace: the first pass's result line again.
    {stage::kInternalTop, stage::kFinished, 0, 0, "R4 B4 P4", "B4 R4 P4", -1, false},
};

// The point array each stage fills.
int ArrayOfStage(TraceStage s) {
    return s < stage::kFinished ? s : s - 1;
}

}  // namespace

class StageSequence : public TraceTest, public ::testing::WithParamInterface<Expected> {
  protected:
    void SetUp() override {
        Open();
        host.onModal(IDD_SAVE_DATA, [](ModalSession& s) { s.click(fw::kIdCancel); });
        dlg->m_promptRect = {0, 468, 1024, 490};
        dlg->m_pictureRect = {399, 310, 625, 458};
        dlg->m_activeBoard = 1;  // the test's board, whatever the left edge holds
    }

    // Puts the test in stage `s`; after the first pass, its arrays hold a point each, so the
    // analyses at the end of a later pass have data.
    void StartAt(TraceStage s) {
        dlg->m_stage = s;
        if (s >= stage::kFinished) {
            for (std::size_t side = 0; side < 4; ++side) {
                dlg->m_tracePoints[side].append({100, 100});
            }
        }
    }

    // Traces the current stage's side with the test's pen up to its last move; the pen-up that
    // would complete it is the caller's.
    BoardPoint TraceSide(bool toFarEnd) {
        // Where each side's trace begins, and which way it runs, round the board.
        constexpr BoardPoint kStart[4] = {{20, 10}, {10, 4076}, {4076, 4086}, {4086, 20}};
        constexpr BoardPoint kWay[4] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
        const int side = ArrayOfStage(dlg->m_stage) % 4;
        BoardPoint p{};
        for (int along = 0; along <= (toFarEnd ? 4070 : 1990); along += 100) {
            p = {kStart[side].x + along * kWay[side].x, kStart[side].y + along * kWay[side].y};
            along == 0 ? Down(p.x, p.y) : Move(p.x, p.y);
        }
        return p;
    }

    // What happened while `action` ran, as letters with the stage each happened in.
    std::string Record(const std::function<void()>& action) {
        std::string events;
        host.observer = [&](const LogEntry& e) {
            char letter = 0;
            if (e.kind == LogEntry::Kind::Beep) {
                letter = 'B';
            } else if (e.kind == LogEntry::Kind::Invalidate && e.whole) {
                letter = 'R';
            } else if (e.kind == LogEntry::Kind::Invalidate && e.rect == dlg->m_promptRect) {
                letter = 'P';
            }
            if (letter != 0) {
                events += (events.empty() ? "" : " ") + std::string(1, letter) +
                          std::to_string(dlg->m_stage);
            }
        };
        action();
        host.observer = nullptr;
        return events;
    }

    void ExpectShowing(unsigned promptId, unsigned pictureId) {
        if (promptId != 0) {
            EXPECT_EQ(dlg->m_prompt, host.loadString(promptId));
        }
        EXPECT_EQ(dlg->m_picture ? dlg->m_picture->resourceId() : 0u, pictureId);
    }
};

TEST_P(StageSequence, ACompletingPenUpMovesOnInTheSequencesOrder) {
    const Expected& e = GetParam();
    StartAt(e.stage);
    const BoardPoint last = TraceSide(true);
    EXPECT_EQ(Record([&] { Up(last.x, last.y); }), e.byPenUp);
    EXPECT_EQ(dlg->m_stage, e.next);
    if (e.stage != stage::kFinished) {
        ExpectShowing(e.nextPrompt, e.nextPicture);
    }
}

TEST_P(StageSequence, TheTimeOutMovesOnInTheSequencesOrder) {
    const Expected& e = GetParam();
    StartAt(e.stage);
    const BoardPoint last = TraceSide(false);
    Up(last.x, last.y);
    EXPECT_EQ(Record([&] { host.advance(10000); }), e.byTimeout);
    EXPECT_EQ(dlg->m_stage, e.next);
    if (e.stage != stage::kFinished) {
        ExpectShowing(e.nextPrompt, e.nextPicture);
    }
}

TEST_P(StageSequence, DeleteDiscardsTheStagesPointsThenStepsBackWithinItsPass) {
    const Expected& e = GetParam();
    dlg->m_stage = e.stage;
    std::array<std::size_t, 12> sizes{};
    for (std::size_t a = 0; a < 12; ++a) {
        dlg->m_tracePoints[a].clear();
        dlg->m_tracePoints[a].append({static_cast<std::int32_t>(a), 7});
        sizes[a] = 1;
    }
    const int own = e.stage == stage::kFinished ? -1 : ArrayOfStage(e.stage);

    host.log.clear();
    host.pressKey(fw::kVkDelete);
    EXPECT_EQ(dlg->m_stage, e.stage);
    EXPECT_TRUE(!host.log.empty() && host.log.back().whole);  // the whole window is repainted
    if (own >= 0 && e.deleteClears) {
        sizes[static_cast<std::size_t>(own)] = 0;
    }
    for (std::size_t a = 0; a < 12; ++a) {
        EXPECT_EQ(dlg->m_tracePoints[a].size(), sizes[a]) << "array " << a;
    }

    host.pressKey(fw::kVkDelete);
    const TraceStage back = e.deleteBackTo >= 0 ? e.deleteBackTo : e.stage;
    EXPECT_EQ(dlg->m_stage, back);
    if (e.deleteBackTo >= 0) {
        sizes[static_cast<std::size_t>(ArrayOfStage(back))] = 0;
        const Expected& before = kSequence[back];
        ExpectShowing(before.stage < stage::kSecondLeft ? IDS_TRACE_LEFT + before.stage
                                                        : IDS_TRACE_LEFT + before.stage - 5,
                      before.stage < stage::kSecondLeft ? IDB_TRACE_LEFT + before.stage
                                                        : IDB_TRACE_LEFT + before.stage - 5);
    }
    for (std::size_t a = 0; a < 12; ++a) {
        EXPECT_EQ(dlg->m_tracePoints[a].size(), sizes[a]) << "array " << a;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryStage, StageSequence, ::testing::ValuesIn(kSequence),
                         [](const ::testing::TestParamInfo<Expected>& info) {
                             return "Stage" + std::to_string(info.param.stage);
                         });
