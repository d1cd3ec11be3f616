#include "sequence.h"

#include <iostream>

#include "framework/constants.h"
#include "last_words.h"
#include "board/restore_record_file.h"
#include "res/resource.h"

using headless::ModalSession;

Sequence::Sequence(std::uint64_t seed, bool trace, Coverage& coverage)
    : trace_(trace),
      coverage_(coverage),
      rng_(seed),
      world_(World::Random(rng_)),
      folder_(seed),
      ledger_(world_) {}

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
    throw SequenceFailure("step " + std::to_string(steps_) + " (" + action_ + "): " + what);
}

void Sequence::play() {
    try {
        InstallBoards(world_);
        boardsNow_ = static_cast<int>(world_.boards.size());
        newHost();
        recordPath_ = RestoreRecordFile::AtUsualPlace().path();
        if (!recordPath_.empty() && rng_.chance(30)) {
            spoilRecord();
        }
        while (true) {
            try {
                runWindow();
                return;
            } catch (const RunKilled&) {
                bury();
            }
            if (sessionEnd_) {
                action_ = "after the session";
                checkEnd();
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

void Sequence::newHost() {
    // One host at a time: a host going makes the platform go with it.
    host_.reset();
    host_ = std::make_unique<headless::HeadlessHost>();
    InstallSystem(world_, *host_, folder_);
}

void Sequence::runWindow() {
    // A new process: nothing of an earlier run's window carries over.
    run_ = Run{};
    run_.boards = boardsNow_;
    run_.driver = host_->driver.present;
    run_.attachedSinceStart.assign(static_cast<std::size_t>(boardsNow_), true);
    run_.filesBefore = folder_.snapshot();
    FakeMapi::duringSend = [this] { mailClientOpen(); };
    host_->messageBoxUser = [this](std::wstring_view text, std::wstring_view, unsigned) {
        return messageBoxOpen(text);
    };
    host_->saveAsUser = [this](std::wstring_view, unsigned) -> std::optional<std::wstring> {
        return rng_.chance(300) ? std::nullopt : std::optional(randomReportName());
    };
    host_->onModal(IDD_ERROR, [this](ModalSession& s) { warningUser(s); });
    host_->onModal(IDD_SAVE_DATA, [this](ModalSession& s) { saveUser(s); });
    coverage_.count(world_.diagnosticMode ? "run interactive" : "run service");
    const auto givesBack = std::count_if(ledger_.named().begin(), ledger_.named().end(),
                                         [this](int board) { return board <= boardsNow_; });
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
            run_.ending.empty()) {
            run_.ending = action_;
            run_.activeAtEnd = dlg_->m_activeBoard;
        }
    };
    host_->open(*dlg_);
    run_.starting = false;
    if (!run_.started) {
        noteStart();
    }
    // Only an unreadable record is told at the start, once.
    if (spoiled_ || run_.startMessages.size() != (unreadable ? 1u : 0u)) {
        fail(std::to_string(run_.startMessages.size()) + " message boxes at the start");
    }
    checkLive(Place::Trace);
    while (host_->isOpen(*dlg_)) {
        windingDown_ = windingDown_ || steps_ >= kMaxSteps;
        traceStep();
        checkLive(Place::Trace);
    }
    action_ = "after the window";
    checkEnd();
}

void Sequence::noteStart() {
    run_.started = true;
    ledger_.runStarted(run_.boards, run_.driver);
    // What the test saves as the boards' originals is their own values: those they had before
    // any test, given back first from the record of a run that died.
    const auto& saved = dlg_->m_savedBoardSettings;
    for (std::size_t b = 0; b < saved.size(); ++b) {
        const OwnBoard& own = ledger_.owed(static_cast<int>(b) + 1);
        if (SettingsOf(saved[b]) != SettingsOf(own) || saved[b].driverState != own.driverState) {
            fail("board " + std::to_string(b + 1) + "'s saved values are not its own");
        }
    }
    if (saved.size() != static_cast<std::size_t>(run_.boards)) {
        fail("saved the settings of " + std::to_string(saved.size()) + " boards");
    }
    checkRecord();
}

void Sequence::act(Place place, const std::vector<Action>& actions) {
    unsigned total = 0;
    for (const Action& a : actions) {
        total += a.weight;
    }
    auto draw = rng_.below(total);
    for (const Action& a : actions) {
        if (draw < a.weight) {
            NoteStep(++steps_);
            constexpr const char* kPrefixes[] = {"",
                                                 "warning: ", "save: ", "mail: ", "message box: "};
            action_ = kPrefixes[static_cast<int>(place)] + std::string(a.label);
            if (trace_) {
                std::cout << "step " << steps_ << ": " << action_ << " (stage " << dlg_->m_stage
                          << ")\n";
            }
            a.act();
            return;
        }
        draw -= a.weight;
    }
}

std::function<void()> Sequence::press(unsigned key) {
    return [this, key] { host_->pressKey(key); };
}

void Sequence::traceStep() {
    const TraceStage before = dlg_->m_stage;
    const auto edgeOf = [this](TraceStage s) -> const TracePointArray& {
        return dlg_->m_tracePoints[static_cast<std::size_t>(RowOf(s).array)];
    };
    const std::size_t pointsBefore = IsTracing(before) ? edgeOf(before).size() : 0;
    const int monitorBefore = dlg_->m_currentMonitor;
    constexpr Place p = Place::Trace;
    static constexpr std::int64_t kAroundTimeOut[] = {9999, 10000, 10001, 10500};
    // The technician mostly traces; closing is rare until the test is complete, and a
    // technician often logs off as soon as the test is done and its report chosen.
    const bool finished = before == stage::kFinished;
    const unsigned closing = finished ? 100 : 2;
    const unsigned w = windingDown_ ? 0 : 1;  // winding down, it only closes
    act(p, {
               {7000 * w, "pen", [this] { pen(p); }},
               {250 * w, "wild pen", [this] { pen(p, true); }},
               {250 * w, "pen batch", [this] { penBatch(p); }},
               {900 * w, "time", [this] { passTime(p, rng_.between(1, 150)); }},
               {300 * w, "time", [this] { passTime(p, rng_.between(150, 3000)); }},
               {250 * w, "time-out", [this] { passTime(p, kAroundTimeOut[rng_.below(4)]); }},
               {30 * w, "long time", [this] { passTime(p, rng_.between(10000, 1800000)); }},
               {30 * w, "monitor key", press(fw::kVkSpace)},
               {30 * w, "monitor key", press(fw::kVkNext)},
               {30 * w, "delete", press(fw::kVkDelete)},
               {50 * w, "d", press(fw::kVkD)},
               {20 * w, "boards", [this] { changeBoards(); }},
               {20 * w, "driver", [this] { toggleDriver(); }},
               {mayKill() ? 3u : 0u, "kill", [this] { kill(p); }},
               {(finished && !dlg_->m_reportPath.empty() ? 30u : 1u) * w, "end session",
                [this] { endSession(); }},
               {2 * closing, "escape", press(fw::kVkEscape)},
               {closing, "enter", press(fw::kVkReturn)},
               {closing, "close", [this] { host_->close(); }},
           });
    if (!host_->isOpen(*dlg_)) {
        return;
    }
    const TraceStage now = dlg_->m_stage;
    if (action_ == "delete" && now == before - 1) {
        coverage_.count("delete went back an edge");
    } else if (action_ == "delete" && IsTracing(now) && pointsBefore > 0 && edgeOf(now).empty()) {
        coverage_.count("delete cleared an edge");
    } else if (IsTracing(before) && now != before && action_ != "delete") {
        coverage_.count(FinishedBy(action_) == Finish::TimeOut ? "edge completed by time-out"
                                                               : "edge completed by pen-up");
    }
    if (dlg_->m_currentMonitor != monitorBefore) {
        coverage_.count("window moved to another monitor");
    }
}

PenEvent Sequence::nextPen(bool wild) {
    const int active = dlg_->m_activeBoard;
    if (wild) {
        return WildPenEvent(rng_, boardsNow_);
    }
    // The hand holds the test's pen, or any board's when the test has none yet.
    const int board = active >= 1 && active <= boardsNow_ ? active
                      : boardsNow_ > 0 ? static_cast<int>(rng_.between(1, boardsNow_))
                                       : 0;
    const int pointer = board == 0         ? kUnmappedPointers[rng_.below(kUnmappedPointers.size())]
                        : rng_.chance(850) ? tavlo_sim::PenPointerId(board)
                                           : kSecondPenBase + board;
    return run_.hand.next(rng_, *dlg_, pointer);
}

void Sequence::queue(const PenEvent& e) {
    if (trace_) {
        std::cout << "    "
                  << "dmu"[static_cast<int>(e.action)] << ' ' << e.x << ',' << e.y << " pointer "
                  << e.pointerId << '\n';
    }
    tavlo_sim::QueuePen(e.action, e.x, e.y, 0, e.pointerId);
}

void Sequence::deliver(Place place) {
    if (place == Place::Warning || place == Place::Save) {
        session_->pump();
    } else {
        host_->pump();
    }
}

void Sequence::pen(Place place, bool wild) {
    queue(nextPen(wild));
    deliver(place);
}

void Sequence::penBatch(Place place) {
    // Queued together and handled in one go.
    for (auto count = rng_.between(2, 12); count > 0; --count) {
        queue(nextPen(rng_.chance(250)));
    }
    deliver(place);
}

void Sequence::passTime(Place place, std::int64_t milliseconds) {
    const auto ms = static_cast<std::uint64_t>(milliseconds);
    if (place == Place::Warning || place == Place::Save) {
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
    for (std::size_t b = static_cast<std::size_t>(count); b < run_.attachedSinceStart.size(); ++b) {
        run_.attachedSinceStart[b] = false;
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
    sessionEnd_ = SessionEnd{tearingDown, dlg_->m_reportPath,
                             tearingDown && run_.atMail ? *run_.atMail : PointsOf(*dlg_),
                             dlg_->m_activeBoard};
    dlg_->OnEndSession(true);
    sessionEnd_->mailed = !FakeMapi::logonFlags.empty() || !FakeMapi::sent.empty();
    ledger_.givenBack(boardsNow_);
    die();
}
