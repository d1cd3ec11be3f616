// The invariants that hold while the trace window lives, checked after every step.
#include "sequence.h"
#include "trace/stage_table.h"
#include "trace/edge.h"

std::vector<std::size_t> Sequence::sizes() const {
    std::vector<std::size_t> result;
    for (const TracePointArray& a : dlg_->m_tracePoints) {
        result.push_back(a.size());
    }
    result.push_back(dlg_->m_extraStrokes.size());
    result.push_back(0);
    for (const TracePointArray& stroke : dlg_->m_extraStrokes) {
        result.back() += stroke.size();
    }
    return result;
}

void Sequence::checkLive(Place place) {
    if (!run_.started || !host_->isOpen(*dlg_)) {
        return;
    }
    const CRimtraceDlg& d = *dlg_;
    if (d.m_stage < 0 || d.m_stage > 12 || d.m_currentMonitor < 0 ||
        static_cast<std::size_t>(d.m_currentMonitor) >= d.m_monitorRects.size()) {
        fail("stage " + std::to_string(d.m_stage) + " on monitor " +
             std::to_string(d.m_currentMonitor));
    }
    stagesSeen_.insert(d.m_stage);

    // Every step between two points of an array is one the test takes: 1 to 300 onward along its
    // edge. Points are only appended or cleared, so only new points need a look.
    for (std::size_t i = 0; i < d.m_tracePoints.size(); ++i) {
        const TracePointArray& a = d.m_tracePoints[i];
        std::size_t& checked = run_.checkedPoints[i];
        const Edge edge = EdgeOfArray(i);
        for (std::size_t k = checked > a.size() || checked == 0 ? 1 : checked; k < a.size(); ++k) {
            const BoardPoint from = a.element(k - 1);
            const BoardPoint to = a.element(k);
            const std::int64_t step = Sign(edge) * (AlongX(edge) ? std::int64_t{to.x} - from.x
                                                                 : std::int64_t{to.y} - from.y);
            if (step < 1 || step > 300) {
                fail("array " + std::to_string(i) + " holds a step of " + std::to_string(step));
            }
        }
        checked = a.size();
    }

    if (d.m_speedWarningOpen != (place == Place::Warning) ||
        (d.m_speedWarning != nullptr) != (place == Place::Warning)) {
        fail("the speed warning's flags do not say whether it is up");
    }
    if (place == Place::Warning && (d.m_stage != run_.frozenStage || sizes() != run_.frozenSizes)) {
        fail("the test moved on while the speed warning was open");
    }
    if (place == Place::Save &&
        (d.m_stage != stage::kFinished ||
         !std::equal(run_.frozenSizes.begin(), run_.frozenSizes.begin() + 12, sizes().begin()))) {
        fail("tracing went on while the end-of-test dialog was open");
    }

    // No timer while a dialog of the warning or the report step holds the thread; otherwise the
    // stage time-out alone, running exactly when the window says so.
    const std::map<fw::TimerId, unsigned> timers = host_->timersOf(d);
    const bool quiet =
        place == Place::Warning || place == Place::Mail || place == Place::MessageBox;
    const bool timersRight = d.m_edgeTimer == 0 || quiet
                                 ? timers.empty()
                                 : timers.size() == 1 && timers.count(d.m_edgeTimer) == 1 &&
                                       timers.at(d.m_edgeTimer) == 10000;
    if (!timersRight) {
        fail(std::to_string(timers.size()) + " timers run while m_edgeTimer is " +
             std::to_string(d.m_edgeTimer));
    }

    // The test's board changes only while its left edge is empty, and never to no board.
    if (d.m_activeBoard != run_.lastActiveBoard &&
        (!run_.leftEdgeWasEmpty || d.m_activeBoard == 0)) {
        fail("the test's board changed from " + std::to_string(run_.lastActiveBoard) + " to " +
             std::to_string(d.m_activeBoard));
    }
    run_.lastActiveBoard = d.m_activeBoard;
    run_.leftEdgeWasEmpty = d.m_tracePoints[0].empty();

    // Every board attached since the start stays switched off, also while the report is mailed.
    for (std::size_t b = 0; b < run_.attachedSinceStart.size(); ++b) {
        const int board = static_cast<int>(b) + 1;
        const auto state = host_->driver.states.find(board);
        const bool driverOn = state == host_->driver.states.end() || state->second;
        if ((run_.attachedSinceStart[b] &&
             SettingsOf(BoardNow(board, host_->driver)) != std::array<std::uint32_t, 3>{}) ||
            (run_.driver && driverOn)) {
            fail("board " + std::to_string(board) + " is on during the test");
        }
    }
}
