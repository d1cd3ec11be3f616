// How an edge ends (its far end, the time-out), the keys of the trace window, and the service
// run's end. Which stage follows which, and in what order, is the stage walk's
// (stage_sequence_test.cpp).
#include <gtest/gtest.h>

#include "framework/constants.h"
#include "res/resource.h"
#include "support/trace_fixture.h"
#include "trace/travel.h"

using headless::ModalSession;

TEST(FarEnd, AnEdgeEndsOnlyWithin299UnitsOfTheEndOfItsTravel) {
    struct Case {
        Edge edge;
        BoardPoint shortOfIt;
        BoardPoint reachingIt;
    };
    for (const Case& c :
         {Case{Edge::Left, {20, 3796}, {20, 3797}}, Case{Edge::Bottom, {3796, 4076}, {3797, 4076}},
          Case{Edge::Right, {4076, 300}, {4076, 299}}, Case{Edge::Top, {300, 20}, {299, 20}}}) {
        EXPECT_FALSE(ReachesFarEnd(c.shortOfIt, c.edge)) << static_cast<int>(c.edge);
        EXPECT_TRUE(ReachesFarEnd(c.reachingIt, c.edge)) << static_cast<int>(c.edge);
    }
}

class StageMachine : public TraceTest {
  protected:
    void SetUp() override { Open(); }
};

TEST_F(StageMachine, OnlyThePenUpEndsAnEdgeNotTracingPastItsEnd) {
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

TEST_F(StageMachine, TheTimeOutEndsAnIdleEdgeTenSecondsAfterThePenUpAndAPenDownCancelsIt) {
    StrokeY(20, 100, 400);
    host.advance(9999);
    Down(20, 500);  // cancels; its own pen-up arms a new ten seconds
    Up(20, 600);
    host.advance(9999);
    EXPECT_EQ(dlg->m_stage, stage::kFirstLeft);
    host.advance(1);
    EXPECT_EQ(dlg->m_stage, stage::kFirstBottom);
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

TEST_F(StageMachine, DTogglesTheStrokeDisplayAndRepaints) {
    host.log.clear();
    host.pressKey(fw::kVkD);
    EXPECT_TRUE(dlg->m_showTraces);
    EXPECT_TRUE(!host.log.empty() && host.log.back().whole);
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

TEST_F(StageMachine, AServiceRunHandsTheEdgesToTheBoardAsTracedAndCloses) {
    Open(false);
    Down(12, 0);
    Move(14, 300);
    Up(15, 600);
    host.advance(10000);  // the left edge ends by time-out
    Down(100, 4076);
    Up(200, 4076);
    host.pressKey(fw::kVkDelete);  // the bottom edge is cleared while its time-out runs
    host.advance(10000);
    StrokeY(4076, 4080, 10);
    StrokeX(20, 4080, 10);
    EXPECT_FALSE(host.isOpen(*dlg));
    EXPECT_EQ(host.mainResult(), fw::kIdOk);
    EXPECT_EQ(Count(headless::LogEntry::Kind::ModalOpened), 0u);
    const auto points = tavlo_sim::LastOrientPoints(1);
    ASSERT_TRUE(points.has_value());
    EXPECT_EQ(points->left.x, (std::vector<float>{12, 14, 15}));
    EXPECT_EQ(points->left.y, (std::vector<float>{0, 300, 600}));
    EXPECT_TRUE(points->bottom.x.empty());  // an edge without points: an empty matrix
    EXPECT_EQ(points->right.y.size(), dlg->m_tracePoints[2].size());
    // The top edge was traced last and runs right to left, as traced.
    ASSERT_FALSE(points->top.x.empty());
    EXPECT_EQ(points->top.x.front(), 4080.0f);
    EXPECT_EQ(points->top.x.back(), 10.0f);
    EXPECT_EQ(dlg->m_edgeStats[0].count, 0u);  // no analysis in a service run
}
