#include "sequence.h"

#include <iostream>
#include <sstream>

#include "framework/constants.h"
#include "last_words.h"
#include "res/resource.h"
#include "support/fake_mapi.h"
#include "trace/travel.h"

using headless::ModalSession;

Sequence::Sequence(std::uint64_t seed, const SequenceOptions& options, Coverage& coverage)
    : seed_(seed),
      options_(options),
      coverage_(coverage),
      rng_(seed),
      world_(World::Random(rng_)),
      folder_(seed),
      ledger_(world_),
      recordPath_(RecordPath(world_, folder_)) {}

Sequence::~Sequence() {
    // A sequence that failed midway leaves its process as a kill would: the window goes without
    // its end (which could run the dialogs' users again), before the host it lives on; the fake
    // mail client forgets both.
    if (host_) {
        host_->abandon();
    }
    dlg_.reset();
    FakeMapi::duringSend = nullptr;
    FakeMapi::host = nullptr;
    host_.reset();
}

void Sequence::fail(const std::string& what) const {
    std::ostringstream text;
    text << "step " << steps_ << " (" << action_ << "): " << what;
    throw SequenceFailure(text.str());
}

void Sequence::play() {
    try {
        installWorld();
        while (true) {
            try {
                openWindow();
                runWindow();
                return;
            } catch (const RunKilled&) {
                bury();
            }
            if (sessionEnd_) {
                action_ = "after the session";
                checkSessionEnd();
                return;
            }
            betweenRuns();
        }
    } catch (const SequenceFailure&) {
        throw;
    } catch (const std::exception& e) {
        fail(std::string("the program threw: ") + e.what());
    }
}

void Sequence::installWorld() {
    InstallBoards(world_);
    boardsNow_ = static_cast<int>(world_.boards.size());
    newHost();
    if (!recordPath_.empty() && rng_.chance(30)) {
        spoilRecord();
    }
}

void Sequence::newHost() {
    // One host at a time: a host going makes the platform go with it.
    host_.reset();
    host_ = std::make_unique<headless::HeadlessHost>();
    InstallSystem(world_, *host_, folder_);
}

void Sequence::openWindow() {
    // A new process: nothing of an earlier run's window carries over.
    runBoards_ = boardsNow_;
    runDriver_ = host_->driver.present;
    attachedSinceStart_.assign(static_cast<std::size_t>(runBoards_), true);
    ending_.clear();
    activeAtEnd_ = 0;
    checkedPoints_ = {};
    lastActiveBoard_ = 0;
    leftEdgeWasEmpty_ = true;
    lastWarningAt_.reset();
    saveDialogs_ = 0;
    placedInDocuments_.clear();
    atMail_.reset();
    messages_.clear();
    startMessages_.clear();
    hand_ = PenHand();
    filesBefore_ = folder_.snapshot();

    FakeMapi::duringSend = [this] { mailClientOpen(); };
    host_->messageBoxUser = [this](std::wstring_view text, std::wstring_view, unsigned) {
        return messageBoxOpen(text);
    };
    host_->saveAsUser = [this](std::wstring_view, unsigned) -> std::optional<std::wstring> {
        if (rng_.chance(300)) {
            return std::nullopt;
        }
        return randomReportName();
    };
    host_->onModal(IDD_ERROR, [this](ModalSession& s) { warningUser(s); });
    host_->onModal(IDD_SAVE_DATA, [this](ModalSession& s) { saveUser(s); });
    coverage_.count(world_.diagnosticMode ? "run interactive" : "run service");
    const auto givesBack = std::count_if(ledger_.named().begin(), ledger_.named().end(),
                                         [this](int board) { return board <= runBoards_; });
    if (givesBack > 0) {
        coverage_.count("start gave back the record's boards");
    }
    if (ledger_.named().size() > static_cast<std::size_t>(givesBack)) {
        coverage_.count("start left boards not attached in the record");
    }

    const bool unreadable = spoiled_.has_value();
    action_ = "open";
    dlg_ = std::make_unique<CRimtraceDlg>(world_.diagnosticMode);
    host_->observer = [this](const headless::LogEntry& e) {
        if (e.kind == headless::LogEntry::Kind::EndDialog && e.window == dlg_->GetSafeHwnd() &&
            ending_.empty()) {
            ending_ = action_;
            activeAtEnd_ = dlg_->m_activeBoard;
        }
    };
    started_ = false;
    starting_ = true;
    host_->open(*dlg_);
    starting_ = false;
    if (!started_) {
        noteStart();
    }
    checkStartMessages(unreadable);
    checkLive(Place::Trace);
}

void Sequence::noteStart() {
    started_ = true;
    ledger_.runStarted(runBoards_, runDriver_);
    checkOriginals();
    checkRecord();
}

void Sequence::runWindow() {
    while (host_->isOpen(*dlg_)) {
        windingDown_ = windingDown_ || steps_ >= kMaxSteps;
        traceStep();
        checkLive(Place::Trace);
    }
    action_ = "after the window";
    checkEnd();
}

void Sequence::act(Place place, const std::vector<Action>& actions) {
    unsigned total = 0;
    for (const Action& a : actions) {
        total += a.weight;
    }
    auto draw = rng_.below(total);
    for (const Action& a : actions) {
        if (draw < a.weight) {
            begin(place, a.label);
            a.act();
            return;
        }
        draw -= a.weight;
    }
}

void Sequence::begin(Place place, std::string label) {
    NoteStep(++steps_);
    constexpr const char* kPrefixes[] = {"", "warning: ", "save: ", "mail: ", "message box: "};
    action_ = kPrefixes[static_cast<int>(place)] + label;
    if (options_.trace) {
        std::cout << "step " << steps_ << ": " << action_ << " (stage " << dlg_->m_stage << ")\n";
    }
}

void Sequence::traceStep() {
    const TraceStage before = dlg_->m_stage;
    const std::size_t pointsBefore =
        IsTracing(before)
            ? dlg_->m_tracePoints[static_cast<std::size_t>(RowOf(before).array)].size()
            : 0;
    const int monitorBefore = dlg_->m_currentMonitor;
    constexpr Place p = Place::Trace;
    static constexpr std::int64_t kAroundTimeOut[] = {9999, 10000, 10001, 10500};
    // The technician mostly traces; closing is rare until the test is complete, and a
    // technician often logs off as soon as the test is done and its report chosen.
    const bool finished = before == stage::kFinished;
    const unsigned closing = finished ? 100 : 2;
    const unsigned tracing = windingDown_ ? 0 : 1;  // winding down, it only closes
    act(p, {
               {7000 * tracing, "pen", [this] { pen(p); }},
               {250 * tracing, "wild pen", [this] { wildPen(p); }},
               {250 * tracing, "pen batch", [this] { penBatch(p); }},
               {900 * tracing, "time", [this] { passTime(p, rng_.between(1, 150)); }},
               {300 * tracing, "time", [this] { passTime(p, rng_.between(150, 3000)); }},
               {250 * tracing, "time-out", [this] { passTime(p, kAroundTimeOut[rng_.below(4)]); }},
               {30 * tracing, "long time", [this] { passTime(p, rng_.between(10000, 1800000)); }},
               {30 * tracing, "monitor key", press(fw::kVkSpace)},
               {30 * tracing, "monitor key", press(fw::kVkNext)},
               {30 * tracing, "delete", press(fw::kVkDelete)},
               {50 * tracing, "d", press(fw::kVkD)},
               {20 * tracing, "boards", [this] { changeBoards(); }},
               {20 * tracing, "driver", [this] { toggleDriver(); }},
               {mayKill() ? 3u : 0u, "kill", [this] { kill(p); }},
               {(finished && !dlg_->m_reportPath.empty() ? 30u : 1u) * tracing, "end session",
                [this] { endSession(); }},
               {2 * closing, "escape", press(fw::kVkEscape)},
               {closing, "enter", press(fw::kVkReturn)},
               {closing, "close", [this] { host_->close(); }},
           });
    if (host_->isOpen(*dlg_)) {
        noteTraceStep(before, pointsBefore, monitorBefore);
    }
}

void Sequence::noteTraceStep(TraceStage before, std::size_t pointsBefore, int monitorBefore) {
    const TraceStage now = dlg_->m_stage;
    if (action_ == "delete") {
        if (now == before - 1) {
            coverage_.count("delete went back an edge");
        } else if (IsTracing(now) && pointsBefore > 0 &&
                   dlg_->m_tracePoints[static_cast<std::size_t>(RowOf(now).array)].empty()) {
            coverage_.count("delete cleared an edge");
        }
    } else if (IsTracing(before) && now != before) {
        coverage_.count(FinishedBy(action_) == Finish::TimeOut ? "edge completed by time-out"
                                                               : "edge completed by pen-up");
    }
    if (dlg_->m_currentMonitor != monitorBefore) {
        coverage_.count("window moved to another monitor");
    }
}

int Sequence::testPointer() {
    const int active = dlg_->m_activeBoard;
    int board = 0;
    if (active >= 1 && active <= boardsNow_) {
        board = active;
    } else if (boardsNow_ > 0) {
        board = static_cast<int>(rng_.between(1, boardsNow_));
    } else {
        return kUnmappedPointers[rng_.below(kUnmappedPointers.size())];
    }
    return rng_.chance(850) ? tavlo_sim::PenPointerId(board) : kSecondPenBase + board;
}

void Sequence::deliver(Place place) {
    if (session_ != nullptr && (place == Place::Warning || place == Place::Save)) {
        session_->pump();
    } else {
        host_->pump();
    }
}

void Sequence::queue(const PenEvent& e) {
    if (options_.trace) {
        constexpr const char* kActions[] = {"down", "move", "up"};
        std::cout << "    " << kActions[static_cast<int>(e.action)] << ' ' << e.x << ',' << e.y
                  << " pointer " << e.pointerId << '\n';
    }
    tavlo_sim::QueuePen(e.action, e.x, e.y, 0, e.pointerId);
}

void Sequence::pen(Place place) {
    queue(hand_.next(rng_, *dlg_, testPointer()));
    deliver(place);
}

void Sequence::wildPen(Place place) {
    queue(WildPenEvent(rng_, boardsNow_));
    deliver(place);
}

void Sequence::penBatch(Place place) {
    for (auto count = rng_.between(2, 12); count > 0; --count) {
        queue(rng_.chance(750) ? hand_.next(rng_, *dlg_, testPointer())
                               : WildPenEvent(rng_, boardsNow_));
    }
    deliver(place);
}

void Sequence::passTime(Place place, std::int64_t milliseconds) {
    const auto ms = static_cast<std::uint64_t>(milliseconds);
    if (session_ != nullptr && (place == Place::Warning || place == Place::Save)) {
        session_->advance(ms);
    } else {
        host_->advance(ms);
    }
}

void Sequence::randomTime(Place place) {
    passTime(place, rng_.chance(700) ? rng_.between(1, 3000) : rng_.between(3000, 60000));
}

void Sequence::otherKey() {
    constexpr unsigned kKeys[] = {fw::kVkSpace, fw::kVkNext, fw::kVkDelete, fw::kVkD};
    host_->pressKey(kKeys[rng_.below(4)]);
}

void Sequence::changeBoards() {
    const int count = static_cast<int>(rng_.between(0, kMostBoards));
    tavlo_sim::SetBoardCount(count);
    for (std::size_t b = static_cast<std::size_t>(count); b < attachedSinceStart_.size(); ++b) {
        attachedSinceStart_[b] = false;
    }
    if (count != boardsNow_) {
        coverage_.count("boards changed");
    }
    boardsNow_ = count;
}

void Sequence::toggleDriver() {
    host_->driver.present = !host_->driver.present;
    coverage_.count(host_->driver.present ? "driver window appeared" : "driver window went");
}

bool Sequence::mayKill() const {
    // Without a place for the record a killed run takes the boards' values with it, as nothing
    // can help that; such worlds are only ever ended.
    return !windingDown_ && !recordPath_.empty();
}

void Sequence::kill(Place place) {
    constexpr const char* kWhere[] = {"while tracing", "in the speed warning",
                                      "in the end-of-test dialog", "while mailing",
                                      "in a message box"};
    coverage_.count(std::string("killed ") + kWhere[static_cast<int>(place)]);
    ++kills_;
    die();
}

void Sequence::endSession() {
    const bool tearingDown = dlg_->m_tearingDown;
    // The report a torn-down window wrote is the test as it was when the mail client opened, or
    // when the report step began (a message box stops the test); one the session's end writes is
    // the test as it is now.
    sessionEnd_ =
        SessionEnd{tearingDown, dlg_->m_reportPath,
                   tearingDown && atMail_ ? *atMail_ : PointsOf(*dlg_), dlg_->m_activeBoard};
    dlg_->OnEndSession(true);
    sessionEnd_->mailed = !FakeMapi::logonFlags.empty() || !FakeMapi::sent.empty();
    ledger_.givenBack(boardsNow_);
    die();
}
