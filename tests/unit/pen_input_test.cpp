// Pen events: which points an edge keeps, the speed warning, which board the test hears, and
// the extra strokes after the test.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/constants.h"
#include "res/resource.h"
#include "support/trace_fixture.h"
#include "trace/travel.h"

using headless::LogEntry;
using headless::ModalSession;

namespace {
std::vector<BoardPoint> Points(const TracePointArray& a) {
    return {a.begin(), a.end()};
}
}  // namespace

TEST(StepJudgement, OnlyOneTo300UnitsOnwardAlongTheEdgeAreAccepted) {
    struct Case {
        Edge edge;
        BoardPoint last;
        BoardPoint next;
        StepVerdict verdict;
    };
    const Case cases[] = {
        {Edge::Left, {100, 100}, {100, 400}, StepVerdict::Accept},
        {Edge::Left, {100, 100}, {100, 401}, StepVerdict::TooFast},
        {Edge::Left, {100, 100}, {900, 100}, StepVerdict::Reject},
        {Edge::Bottom, {10, 50}, {310, 4000}, StepVerdict::Accept},
        {Edge::Bottom, {310, 4000}, {310, 0}, StepVerdict::Reject},
        {Edge::Right, {0, 4000}, {0, 3700}, StepVerdict::Accept},
        {Edge::Right, {0, 3700}, {0, 3701}, StepVerdict::Reject},
        {Edge::Right, {0, 3700}, {0, 3399}, StepVerdict::TooFast},
        {Edge::Top, {4000, 0}, {3999, 0}, StepVerdict::Accept},
        {Edge::Top, {4000, 0}, {4000, 0}, StepVerdict::Reject},
        // INT32_MIN - INT32_MAX overflows 32 bits: a long way backwards, not a small step.
        {Edge::Left, {0, INT32_MAX}, {0, INT32_MIN}, StepVerdict::Reject},
        {Edge::Left, {0, INT32_MIN}, {0, INT32_MAX}, StepVerdict::TooFast},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JudgeStepFrom(c.last, c.next, c.edge), c.verdict)
            << static_cast<int>(c.edge) << ": " << c.last.x << "," << c.last.y << " to " << c.next.x
            << "," << c.next.y;
    }
}

class PenInput : public TraceTest {
  protected:
    void SetUp() override {
        Open();
        host.clock.advance(5000);  // the first too-fast step of a test always warns
    }
    // Closes the next speed warning with its OK button.
    void ExpectWarningClosedByOk() {
        host.onModal(IDD_ERROR, [](ModalSession& s) { s.click(fw::kIdOk); });
    }
};

TEST_F(PenInput, PointsAreJudgedAgainstTheLastAcceptedOneAndATooFastStepWarns) {
    ExpectWarningClosedByOk();
    dlg->m_showTraces = true;  // the overlay: an accepted step repaints its segment, no other
    Down(100, 100);
    Move(100, 400);    // exactly 300: accepted
    Move(900, 400);    // no progress down the edge, whatever x does
    Move(100, 399);    // backwards
    Move(100, 701);    // 301: too fast, the warning
    Down(100, 1200);   // a new contact, still too far from the last accepted point
    Move(-5000, 650);  // within reach again; the cross coordinate is never constrained
    EXPECT_EQ(Points(dlg->m_tracePoints[0]),
              (std::vector<BoardPoint>{{100, 100}, {100, 400}, {-5000, 650}}));
    // Beside the left bar (x < 19) and left of the prompt: the segments of the two accepted
    // steps, each repainted once.
    EXPECT_EQ(std::count_if(host.log.begin(), host.log.end(),
                            [](const LogEntry& e) {
                                return e.kind == LogEntry::Kind::Invalidate && !e.whole &&
                                       e.rect.right > 19 && e.rect.left < 100;
                            }),
              2);
    EXPECT_EQ(Count(LogEntry::Kind::ModalOpened), 1u);
    EXPECT_TRUE(host.unexpectedModals.empty());
}

TEST_F(PenInput, TheWarningIsShownAtMostOncePerSecondAcrossTheTickWrap) {
    host.clock.setTickCount(0xFFFFFE00u);  // 512 ms before the counter wraps
    dlg->m_lastSpeedWarningTick = 0;
    ExpectWarningClosedByOk();
    Down(100, 100);
    Move(100, 1000);  // warns: the tick difference is huge
    EXPECT_EQ(dlg->m_lastSpeedWarningTick, 0xFFFFFE00u);
    Down(100, 100);
    host.clock.advance(900);  // the counter wraps; only 900 ms have passed
    Move(100, 1000);
    EXPECT_EQ(Count(LogEntry::Kind::ModalOpened), 1u);
    host.clock.advance(100);  // a second exactly: not yet
    Move(100, 1000);
    EXPECT_EQ(Count(LogEntry::Kind::ModalOpened), 1u);
    ExpectWarningClosedByOk();
    host.clock.advance(1);
    Move(100, 1000);
    EXPECT_EQ(Count(LogEntry::Kind::ModalOpened), 2u);
    EXPECT_EQ(dlg->m_lastSpeedWarningTick, 0xFFFFFE00u + 1001u);
}

TEST_F(PenInput, TheWarningBeepsAndShowsTheTooFastText) {
    std::wstring shown;
    host.onModal(IDD_ERROR, [&](ModalSession& s) {
        shown = s.text(IDC_MESSAGE);
        s.click(fw::kIdOk);
    });
    Down(100, 100);
    Move(100, 500);
    EXPECT_EQ(shown, host.loadString(IDS_TOO_FAST));
    bool exclamation = false;
    for (const auto& e : host.log) {
        exclamation |= e.kind == LogEntry::Kind::Beep && e.value == fw::kBeepExclamation;
    }
    EXPECT_TRUE(exclamation);
}

TEST_F(PenInput, TheBoardThatTouchesFirstIsHeardUntilTheLeftEdgeIsEmptyAgain) {
    Down(100, 100, 2);
    Move(100, 200, 2);
    Down(100, 300, 1);  // another board: the left edge is not empty, no capture
    Move(100, 400, 1);
    Up(100, 500, 1);
    EXPECT_EQ(dlg->m_activeBoard, 2);
    EXPECT_EQ(Points(dlg->m_tracePoints[0]), (std::vector<BoardPoint>{{100, 100}, {100, 200}}));
    EXPECT_TRUE(host.timersOf(*dlg).empty());  // the other board's pen-up ran no edge test
    host.pressKey(fw::kVkDelete);
    Down(300, 100, 3);
    EXPECT_EQ(dlg->m_activeBoard, 3);
    EXPECT_EQ(dlg->m_tracePoints[0].size(), 1u);
}

// A board whose edges an SDK hands over in one batch with a touch of another board: once the
// service run has sent its points, that touch must not make the other board the test's board
// (whose driver state the end would then switch on instead of the traced board's).
TEST_F(PenInput, AfterTheServiceRunsHandOverNoPenEventPicksAnotherBoard) {
    host.pressKey(fw::kVkEscape);
    dlg.reset();
    host.driver.present = true;
    host.driver.states = {{1, false}, {2, false}};
    Open(false);
    Down(20, 100);
    Move(20, 300);
    Up(20, 500);                   // lifted early: the time-out waits
    host.pressKey(fw::kVkDelete);  // the left edge is cleared, the time-out kept
    host.advance(10000);           // and ends the left edge with no points
    ASSERT_EQ(dlg->m_stage, stage::kFirstBottom);
    StrokeX(4076, 10, 4080);
    StrokeY(4076, 4080, 10);
    tavlo_sim::QueueBoardPen(tavlo_sim::PenAction::Down, 1, 4080, 20);
    for (int x = 3980; x > 10; x -= 100) {
        tavlo_sim::QueueBoardPen(tavlo_sim::PenAction::Move, 1, x, 20);
    }
    tavlo_sim::QueueBoardPen(tavlo_sim::PenAction::Up, 1, 10, 20);
    tavlo_sim::QueueBoardPen(tavlo_sim::PenAction::Down, 2, 500, 500);
    host.pump();
    EXPECT_FALSE(host.isOpen(*dlg));
    EXPECT_TRUE(tavlo_sim::LastOrientPoints(1).has_value());
    EXPECT_EQ(dlg->m_activeBoard, 1);
    EXPECT_TRUE(host.driver.states[1]);
    EXPECT_FALSE(host.driver.states[2]);
}

TEST_F(PenInput, APenDownOnAnyBoardClosesTheWarningAndTheRestOfThatContactIsSwallowed) {
    host.onModal(IDD_ERROR, [&](ModalSession& s) {
        // While the warning is up nothing reaches the arrays.
        tavlo_sim::QueueBoardPen(tavlo_sim::PenAction::Move, 1, 100, 250);
        tavlo_sim::QueueBoardPen(tavlo_sim::PenAction::Up, 1, 100, 260);
        s.pump();
        EXPECT_FALSE(s.ended());
        // A touch on another board answers it.
        tavlo_sim::QueueBoardPen(tavlo_sim::PenAction::Down, 2, 100, 270);
        s.pump();
        EXPECT_TRUE(s.ended());
    });
    Down(100, 100);
    Move(100, 200);
    Move(100, 900);  // too fast
    EXPECT_FALSE(dlg->m_speedWarningOpen);
    EXPECT_EQ(dlg->m_speedWarning, nullptr);
    EXPECT_TRUE(dlg->m_penUpPending);
    Move(100, 280);  // the closing contact goes on: swallowed
    Up(100, 290);    // and its pen-up only ends the swallowing
    EXPECT_FALSE(dlg->m_penUpPending);
    Move(100, 300);
    EXPECT_EQ(Points(dlg->m_tracePoints[0]),
              (std::vector<BoardPoint>{{100, 100}, {100, 200}, {100, 300}}));
}

TEST_F(PenInput, APenDownCancelsAPendingTimeOutEvenWhenItsPointIsRejected) {
    Down(100, 100);
    Up(100, 200);
    host.advance(5000);
    Down(100, 150);  // backwards: not accepted, but the time-out goes
    EXPECT_EQ(dlg->m_edgeTimer, 0u);
    host.advance(20000);
    EXPECT_EQ(dlg->m_stage, stage::kFirstLeft);
}

TEST_F(PenInput, APenTapOnTheEndOfTestDialogStaysAnExtraStroke) {
    // The tap's pen-down arrives while the dialog is open; its pen-up only after the dialog's
    // OK (clicked by the same tap) has started the internal trace.
    host.onModal(IDD_SAVE_DATA, [](ModalSession& s) {
        tavlo_sim::QueueBoardPen(tavlo_sim::PenAction::Down, 1, 2500, 2400);
        s.pump();
        s.click(fw::kIdOk);
        tavlo_sim::QueueBoardPen(tavlo_sim::PenAction::Up, 1, 2501, 2402);
    });
    TraceFourEdges();
    host.pump();
    ASSERT_EQ(dlg->m_stage, stage::kInternalLeft);
    EXPECT_TRUE(dlg->m_tracePoints[8].empty());
    EXPECT_EQ(dlg->m_edgeTimer, 0u);
    ASSERT_EQ(dlg->m_extraStrokes.size(), 1u);
    EXPECT_EQ(Points(dlg->m_extraStrokes.element(0)),
              (std::vector<BoardPoint>{{2500, 2400}, {2501, 2402}}));
    Down(60, 100);  // the internal line starts wherever the user begins it
    EXPECT_EQ(dlg->m_tracePoints[8].size(), 1u);
}

TEST_F(PenInput, EveryContactAfterTheTestIsAnExtraStrokeOfItsOwnWithEveryPointRaw) {
    dlg->m_stage = stage::kFinished;
    Down(500, 500);
    Move(400, 400);    // backwards
    Move(4000, 4000);  // a huge jump
    Up(4000, 4000);
    dlg->m_stage = stage::kSecondTop;
    Down(4000, 30);
    dlg->m_stage = stage::kFinished;  // the pass ended under the resting pen
    Move(3900, 31);
    Up(3800, 32);
    ASSERT_EQ(dlg->m_extraStrokes.size(), 2u);
    EXPECT_EQ(Points(dlg->m_extraStrokes.element(0)),
              (std::vector<BoardPoint>{{500, 500}, {400, 400}, {4000, 4000}, {4000, 4000}}));
    EXPECT_EQ(Points(dlg->m_extraStrokes.element(1)),
              (std::vector<BoardPoint>{{3900, 31}, {3800, 32}}));
    EXPECT_EQ(Count(LogEntry::Kind::ModalOpened), 0u);
}
