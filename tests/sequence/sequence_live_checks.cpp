// The invariants that hold while the trace window lives, checked after every step.
#include "sequence.h"
#include "trace/stage_table.h"
#include "trace/travel.h"

std::vector<std::size_t> Sequence::sizes() const {
    std::vector<std::size_t> result;
    for (const TracePointArray& a : dlg_->m_tracePoints) {
        result.push_back(a.size());
    }
    std::size_t strokePoints = 0;
    for (const TracePointArray& stroke : dlg_->m_extraStrokes) {
        strokePoints += stroke.size();
    }
    result.push_back(dlg_->m_extraStrokes.size());
    result.push_back(strokePoints);
    return result;
}

void Sequence::checkOriginals() {
    // What the test saves as the boards' originals is their own values: those they had before
    // any test, given back first from the record of a run that died.
    const auto& saved = dlg_->m_savedBoardSettings;
    if (saved.size() != static_cast<std::size_t>(runBoards_)) {
        fail("saved the settings of " + std::to_string(saved.size()) + " boards, not " +
             std::to_string(runBoards_));
    }
    for (std::size_t b = 0; b < saved.size(); ++b) {
        const OwnBoard& own = ledger_.owed(static_cast<int>(b) + 1);
        if (SettingsOf(saved[b]) != SettingsOf(own) || saved[b].driverState != own.driverState) {
            fail("board " + std::to_string(b + 1) + "'s saved values are not its own");
        }
    }
}

void Sequence::checkStartMessages(bool unreadable) {
    // Only an unreadable record is told at the start, once.
    if (spoiled_) {
        fail("the unreadable record was not told");
    }
    if (startMessages_.size() != (unreadable ? 1u : 0u)) {
        fail(std::to_string(startMessages_.size()) + " message boxes at the start");
    }
}

void Sequence::checkLive(Place place) {
    if (!started_ || !host_->isOpen(*dlg_)) {
        return;
    }
    const CRimtraceDlg& d = *dlg_;
    if (d.m_stage < 0 || d.m_stage > 12) {
        fail("stage " + std::to_string(d.m_stage));
    }
    stagesSeen_.insert(d.m_stage);
    if (d.m_currentMonitor < 0 ||
        static_cast<std::size_t>(d.m_currentMonitor) >= d.m_monitorRects.size()) {
        fail("the window is on monitor " + std::to_string(d.m_currentMonitor) + " of " +
             std::to_string(d.m_monitorRects.size()));
    }
    checkArrays();
    if (d.m_speedWarningOpen != (place == Place::Warning) ||
        (d.m_speedWarning != nullptr) != (place == Place::Warning)) {
        fail("the speed warning's flags do not say whether it is up");
    }
    checkTimers(place);
    checkActiveBoard();
    checkBoardsSwitchedOff();
    if (place == Place::Warning && (d.m_stage != warningStage_ || sizes() != warningSizes_)) {
        fail("the test moved on while the speed warning was open");
    }
    if (place == Place::Save) {
        const std::vector<std::size_t> now = sizes();
        if (d.m_stage != stage::kFinished ||
            !std::equal(saveSizes_.begin(), saveSizes_.begin() + 12, now.begin())) {
            fail("tracing went on while the end-of-test dialog was open");
        }
    }
}

void Sequence::checkArrays() {
    // Points are only appended or cleared, so only new points need a look.
    for (std::size_t i = 0; i < dlg_->m_tracePoints.size(); ++i) {
        const TracePointArray& a = dlg_->m_tracePoints[i];
        std::size_t& checked = checkedPoints_[i];
        if (checked > a.size()) {
            checked = 0;
        }
        const Travel travel = TravelOfSide(static_cast<int>(i % 4));
        for (std::size_t k = checked == 0 ? 1 : checked; k < a.size(); ++k) {
            const BoardPoint from = a.element(k - 1);
            const BoardPoint to = a.element(k);
            const std::int64_t step = Sign(travel) * (AlongX(travel) ? std::int64_t{to.x} - from.x
                                                                     : std::int64_t{to.y} - from.y);
            if (step < 1 || step > 300) {
                fail("array " + std::to_string(i) + " holds a step of " + std::to_string(step) +
                     " at point " + std::to_string(k));
            }
        }
        checked = a.size();
    }
}

void Sequence::checkTimers(Place place) {
    const std::map<fw::TimerId, unsigned> timers = host_->timersOf(*dlg_);
    if (place == Place::Warning || place == Place::Mail || place == Place::MessageBox) {
        if (!timers.empty()) {
            fail(place == Place::Warning ? "the stage time-out runs while the speed warning is up"
                                         : "a timer runs while the report is written and mailed");
        }
        return;
    }
    const fw::TimerId id = dlg_->m_edgeTimer;
    const bool consistent =
        id == 0 ? timers.empty()
                : timers.size() == 1 && timers.count(id) == 1 && timers.at(id) == 10000;
    if (!consistent) {
        fail("the window runs " + std::to_string(timers.size()) + " timers while m_edgeTimer is " +
             std::to_string(id));
    }
}

void Sequence::checkActiveBoard() {
    const std::int32_t active = dlg_->m_activeBoard;
    if (active != lastActiveBoard_) {
        if (!leftEdgeWasEmpty_) {
            fail("the test's board changed from " + std::to_string(lastActiveBoard_) + " to " +
                 std::to_string(active) + " while the left edge held points");
        }
        if (active == 0) {
            fail("a pointer of no board became the test's board");
        }
    }
    lastActiveBoard_ = active;
    leftEdgeWasEmpty_ = dlg_->m_tracePoints[0].empty();
}

void Sequence::checkBoardsSwitchedOff() {
    for (std::size_t b = 0; b < attachedSinceStart_.size(); ++b) {
        const int board = static_cast<int>(b) + 1;
        if (attachedSinceStart_[b]) {
            for (int setting : kSettingIds) {
                if (tavlo_sim::Setting(board, setting) != 0) {
                    fail("board " + std::to_string(board) + "'s setting " +
                         std::to_string(setting) + " is on during the test");
                }
            }
        }
        const auto state = host_->driver.states.find(board);
        if (runDriver_ && (state == host_->driver.states.end() || state->second)) {
            fail("board " + std::to_string(board) + "'s driver state is on during the test");
        }
    }
}
