#include <gtest/gtest.h>

#include "framework/constants.h"
#include "res/resource.h"
#include "support/trace_fixture.h"

using headless::LogEntry;
using headless::ModalSession;

class StageMachine : public TraceTest {
  protected:
    void SetUp() override { Open(); }
    std::wstring Text(unsigned id) { return host.loadString(id); }
    unsigned PictureId() const { return dlg->m_picture ? dlg->m_picture->resourceId() : 0; }
    // Brings the test to `target` by tracing complete edges.
    void TraceEdgesUntil(TraceStage target) {
        while (dlg->m_stage < target && dlg->m_stage <= 3) {
            switch (dlg->m_stage) {
                case 0:
                    StrokeY(20, 10, 4080);
                    break;
                case 1:
                    StrokeX(4076, 10, 4080);
                    break;
                case 2:
                    StrokeY(4076, 4080, 10);
                    break;
                case 3:
                    StrokeX(20, 4080, 10);
                    break;
            }
        }
    }
};

TEST_F(StageMachine, AnEdgeCompletesOnlyWithin299UnitsOfItsFarEnd) {
    StrokeY(20, 3500, 3796);
    EXPECT_EQ(dlg->m_stage, stage::kFirstLeft);
    EXPECT_EQ(dlg->m_edgeTimer, 1u);
    Down(20, 3796);
    Up(20, 3797);
    EXPECT_EQ(dlg->m_stage, stage::kFirstBottom);
    StrokeX(4076, 3500, 3796);
    EXPECT_EQ(dlg->m_stage, stage::kFirstBottom);
    Down(3796, 4076);
    Up(3797, 4076);
    EXPECT_EQ(dlg->m_stage, stage::kFirstRight);
    StrokeY(4076, 500, 300);
    EXPECT_EQ(dlg->m_stage, stage::kFirstRight);
    Down(4076, 300);
    Up(4076, 299);
    EXPECT_EQ(dlg->m_stage, stage::kFirstTop);
    host.onModal(IDD_SAVE_DATA, [](ModalSession& s) { s.click(fw::kIdCancel); });
    StrokeX(20, 500, 300);
    EXPECT_EQ(dlg->m_stage, stage::kFirstTop);
    Down(300, 20);
    Up(299, 20);
    EXPECT_EQ(dlg->m_stage, stage::kFinished);
}

TEST_F(StageMachine, TracingPastTheEndWithoutLiftingThePenKeepsTheStage) {
    Down(20, 3000);
    Move(20, 3300);
    Move(20, 3600);
    Move(20, 3900);
    EXPECT_EQ(dlg->m_stage, stage::kFirstLeft);
    Up(20, 3900);
    EXPECT_EQ(dlg->m_stage, stage::kFirstBottom);
}

TEST_F(StageMachine, APenUpWithoutAnyAcceptedPointDoesNothing) {
    Up(20, 4000);
    EXPECT_EQ(dlg->m_stage, stage::kFirstLeft);
    EXPECT_TRUE(host.timersOf(*dlg).empty());
}

TEST_F(StageMachine, TheTimeOutEndsAnIdleEdgeAndAPenDownCancelsIt) {
    StrokeY(20, 100, 400);
    host.advance(9999);
    EXPECT_EQ(dlg->m_stage, stage::kFirstLeft);
    Down(20, 500);  // cancels; its own pen-up arms a new ten seconds
    Up(20, 600);
    host.advance(9999);
    EXPECT_EQ(dlg->m_stage, stage::kFirstLeft);
    host.advance(1);
    EXPECT_EQ(dlg->m_stage, stage::kFirstBottom);
    EXPECT_EQ(dlg->m_prompt, Text(IDS_TRACE_BOTTOM));
    EXPECT_EQ(PictureId(), static_cast<unsigned>(IDB_TRACE_BOTTOM));
    EXPECT_EQ(dlg->m_edgeTimer, 0u);
    EXPECT_TRUE(host.timersOf(*dlg).empty());  // one-shot
}

TEST_F(StageMachine, ACompletedEdgeTakesItsPendingTimeOutWithIt) {
    // The warning's restart of the time-out happens while the pen goes on tracing.
    host.clock.advance(5000);
    host.onModal(IDD_ERROR, [](ModalSession& s) { s.click(fw::kIdOk); });
    Down(20, 100);
    Move(20, 900);  // too fast: warning, closed with OK; the time-out restarts
    Move(20, 300);
    for (int y = 600; y < 4000; y += 300) {
        Move(20, y);
    }
    Up(20, 3900);
    ASSERT_EQ(dlg->m_stage, stage::kFirstBottom);
    host.advance(60000);  // the user takes a minute before the bottom edge
    EXPECT_EQ(dlg->m_stage, stage::kFirstBottom);
}

// The order of the completion steps shows in the log: the prompt's invalidation happens before
// the stage changes, the beep after.
struct Step {
    LogEntry::Kind kind;
    bool whole;
    TraceStage stage;
    friend bool operator==(const Step&, const Step&) = default;
};

class CompletionOrder : public StageMachine {
  protected:
    std::vector<Step> Record(const std::function<void()>& action) {
        std::vector<Step> steps;
        host.observer = [&](const LogEntry& e) {
            if (e.kind == LogEntry::Kind::Invalidate || e.kind == LogEntry::Kind::Beep) {
                steps.push_back({e.kind, e.whole, dlg->m_stage});
            }
        };
        action();
        host.observer = nullptr;
        return steps;
    }
    static constexpr auto kInv = LogEntry::Kind::Invalidate;
    static constexpr auto kBeep = LogEntry::Kind::Beep;
};

TEST_F(CompletionOrder, ByPenUpPromptThenStageThenBeep) {
    Down(20, 3500);
    const auto steps = Record([&] { Up(20, 3800); });
    // segment strip, completed strip, prompt, picture, beep
    EXPECT_EQ(steps, (std::vector<Step>{{kInv, false, 0},
                                        {kInv, false, 0},
                                        {kInv, false, 0},
                                        {kInv, false, 0},
                                        {kBeep, false, 1}}));
}

TEST_F(CompletionOrder, ByTimeOutPromptThenStageThenRepaintThenBeep) {
    StrokeY(20, 100, 400);
    const auto steps = Record([&] { host.advance(10000); });
    EXPECT_EQ(steps, (std::vector<Step>{
                         {kInv, false, 0}, {kInv, false, 0}, {kInv, true, 1}, {kBeep, false, 1}}));
}

TEST_F(CompletionOrder, TheLastInternalLineByTimeOutBeepsBeforeItsRepaint) {
    TraceEdgesUntil(3);
    host.onModal(IDD_SAVE_DATA, [](ModalSession& s) { s.click(fw::kIdOk); });
    StrokeX(20, 4080, 10);
    ASSERT_EQ(dlg->m_stage, stage::kInternalLeft);
    dlg->m_stage = stage::kInternalTop;
    StrokeX(54, 4000, 3000);
    const auto steps = Record([&] { host.advance(10000); });
    // beep, repaint, then the first-pass result's prompt and picture areas
    EXPECT_EQ(steps, (std::vector<Step>{
                         {kBeep, false, 4}, {kInv, true, 4}, {kInv, false, 4}, {kInv, false, 4}}));
}

TEST_F(StageMachine, DeleteDiscardsTheEdgeInProgressThenStepsBackOneEdge) {
    TraceEdgesUntil(2);
    Down(4076, 4000);
    Up(4076, 3800);
    ASSERT_FALSE(dlg->m_tracePoints[2].empty());
    host.pressKey(fw::kVkDelete);
    EXPECT_EQ(dlg->m_stage, stage::kFirstRight);
    EXPECT_TRUE(dlg->m_tracePoints[2].empty());
    EXPECT_FALSE(dlg->m_tracePoints[1].empty());
    host.pressKey(fw::kVkDelete);
    EXPECT_EQ(dlg->m_stage, stage::kFirstBottom);
    EXPECT_TRUE(dlg->m_tracePoints[1].empty());
    EXPECT_EQ(dlg->m_prompt, Text(IDS_TRACE_BOTTOM));
    EXPECT_EQ(PictureId(), static_cast<unsigned>(IDB_TRACE_BOTTOM));
    EXPECT_TRUE(host.log.back().whole);  // then the whole window is repainted
    host.pressKey(fw::kVkDelete);
    host.pressKey(fw::kVkDelete);
    EXPECT_EQ(dlg->m_stage, stage::kFirstLeft);
    EXPECT_TRUE(dlg->m_tracePoints[0].empty());
    host.pressKey(fw::kVkDelete);  // never before the start of the pass
    EXPECT_EQ(dlg->m_stage, stage::kFirstLeft);
}

TEST_F(StageMachine, DeleteInTheSecondPassNeverCrossesItsStart) {
    dlg->m_stage = stage::kSecondLeft;
    host.pressKey(fw::kVkDelete);
    EXPECT_EQ(dlg->m_stage, stage::kSecondLeft);
    dlg->m_stage = stage::kSecondBottom;
    dlg->m_tracePoints[4].append({20, 20});
    host.pressKey(fw::kVkDelete);
    EXPECT_EQ(dlg->m_stage, stage::kSecondLeft);
    EXPECT_TRUE(dlg->m_tracePoints[4].empty());
    EXPECT_EQ(dlg->m_prompt, Text(IDS_TRACE_LEFT));
}

TEST_F(StageMachine, DeleteLeavesAPendingTimeOutRunning) {
    StrokeY(20, 100, 400);
    host.pressKey(fw::kVkDelete);
    EXPECT_TRUE(dlg->m_tracePoints[0].empty());
    host.advance(10000);
    EXPECT_EQ(dlg->m_stage, stage::kFirstBottom);
}

TEST_F(StageMachine, DTogglesTheStrokeDisplayAndRepaints) {
    host.pressKey(fw::kVkD);
    EXPECT_TRUE(dlg->m_showTraces);
    EXPECT_TRUE(host.log.back().whole);
    host.pressKey(fw::kVkD);
    EXPECT_FALSE(dlg->m_showTraces);
}

TEST_F(StageMachine, EscapeAndEnterCloseTheWindowInAnyStage) {
    StrokeY(20, 100, 400);
    host.pressKey(fw::kVkEscape);
    EXPECT_FALSE(host.isOpen(*dlg));
    EXPECT_EQ(host.mainResult(), fw::kIdCancel);
    Open();
    host.pressKey(fw::kVkReturn);
    EXPECT_EQ(host.mainResult(), fw::kIdOk);
}

TEST_F(StageMachine, ServiceRunHandsTheEdgesToTheBoardAndCloses) {
    Open(false);
    Down(12, 0);
    Move(14, 300);
    Up(15, 600);
    host.advance(10000);  // the left edge ends by time-out
    StrokeX(4076, 10, 4080);
    StrokeY(4076, 4080, 10);
    StrokeX(20, 4080, 10);
    EXPECT_FALSE(host.isOpen(*dlg));
    EXPECT_EQ(host.mainResult(), fw::kIdOk);
    EXPECT_EQ(Count(LogEntry::Kind::ModalOpened), 0u);
    const auto points = tavlo_sim::LastOrientPoints(1);
    ASSERT_TRUE(points.has_value());
    EXPECT_EQ(points->left.x, (std::vector<float>{12, 14, 15}));
    EXPECT_EQ(points->left.y, (std::vector<float>{0, 300, 600}));
    // The top edge was traced last and runs right to left, as traced.
    ASSERT_FALSE(points->top.x.empty());
    EXPECT_EQ(points->top.x.front(), 4080.0f);
    EXPECT_EQ(points->top.x.back(), 10.0f);
    EXPECT_EQ(points->bottom.x.size(), dlg->m_tracePoints[1].size());
    EXPECT_EQ(points->right.y.size(), dlg->m_tracePoints[2].size());
    EXPECT_EQ(dlg->m_edgeStats[0].count, 0u);  // no analysis in a service run
}

TEST_F(StageMachine, AnEdgeWithNoPointsIsSentAsAnEmptyMatrix) {
    Open(false);
    Down(20, 10);
    Up(20, 400);
    host.pressKey(fw::kVkDelete);  // clear the left edge while its time-out runs
    host.advance(10000);
    StrokeX(4076, 10, 4080);
    StrokeY(4076, 4080, 10);
    StrokeX(20, 4080, 10);
    const auto points = tavlo_sim::LastOrientPoints(1);
    ASSERT_TRUE(points.has_value());
    EXPECT_TRUE(points->left.x.empty());
    EXPECT_FALSE(points->top.x.empty());
}
