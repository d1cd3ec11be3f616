// Processes that die and start again: what outlives a killed run, how the next process finds the
// boards and the restore record, "-restore" between two runs, and records that cannot be read.
#include <fstream>
#include <iostream>

#include "app/rimtrace_app.h"
#include "sequence.h"

namespace fs = std::filesystem;

void Sequence::die() {
    // The record is on disk as the ledger has it at every moment the process can die.
    checkRecord();
    remains_ = {tavlo_sim::StateText(), host_->driver, folder_.systemFiles(),
                host_->clock.tickCount()};
    host_->abandon();
    dying_ = true;
    throw RunKilled{};
}

void Sequence::bury() {
    dying_ = false;
    session_ = nullptr;
    FakeMapi::duringSend = nullptr;
    FakeMapi::host = nullptr;
    // The windows vanished with the process: no OnDestroy, no end of the test.
    dlg_.reset();
    host_.reset();
    // The boards, the driver and the disk live on as they were when the process died; what
    // the program's destructors did while it was unwound never happened.
    InstallBoardState(world_, remains_.boardState);
    folder_.restoreSystemFiles(remains_.systemFiles);
    nextProcess(remains_.driver, remains_.tick);
}

void Sequence::betweenRuns() {
    action_ = "between runs";
    if (rng_.chance(350)) {
        // Boards plugged in or out while nothing ran.
        boardsNow_ = static_cast<int>(rng_.between(0, kMostBoards));
        tavlo_sim::SetBoardCount(boardsNow_);
        ledger_.boardsChangedBetweenRuns(boardsNow_);
        // The driver forgets them as the board does: plugged in again, they are new boards.
        std::erase_if(host_->driver.states, [this](const auto& entry) {
            return entry.first > boardsNow_ && ledger_.named().count(entry.first) == 0;
        });
        coverage_.count("boards changed between runs");
        if (trace_) {
            std::cout << "between runs: " << boardsNow_ << " boards\n";
        }
    }
    // Only while every board the record names is attached: the values of one that is not
    // would be lost with the record, and what such a board is owed would be anybody's guess.
    const bool allAttached = ledger_.named().empty() || *ledger_.named().rbegin() <= boardsNow_;
    if (!spoiledOnce_ && allAttached && rng_.chance(200)) {
        spoilRecord();
    }
    if (rng_.chance(400)) {
        restoreRun();
    }
}

void Sequence::spoilRecord() {
    // Cut short, empty, or not text at all; every way of being unreadable is the record's own
    // tests' business.
    constexpr std::string_view kUnreadable[] = {
        "rimtrace restore record 1\nboard 1 setting0=0x0000000",
        "",
        std::string_view("\0\xff\xfe garbage\r\n", 13),
    };
    const std::string_view text = kUnreadable[rng_.below(std::size(kUnreadable))];
    // Nothing can be applied: what the boards have now is all that is known of them.
    std::vector<OwnBoard> boards;
    for (int board = 1; board <= boardsNow_; ++board) {
        boards.push_back(BoardNow(board, host_->driver));
    }
    ledger_.recordLost(boards);
    fs::create_directories(recordPath_.parent_path());
    std::ofstream(recordPath_, std::ios::binary) << text;
    spoiled_ = std::string(text);
    spoiledOnce_ = true;
    if (trace_) {
        std::cout << "record made unreadable\n";
    }
    coverage_.count("record unreadable");
}

void Sequence::checkSetAside(std::wstring_view message) {
    // Moved out of the way under a name of its own, and the user told where; its exact name is
    // the record's own tests' business.
    for (const auto& [path, text] : folder_.systemFiles()) {
        if (path != recordPath_ && path.parent_path() == recordPath_.parent_path() &&
            text == *spoiled_ && setAside_.insert(path).second) {
            if (!Names(std::wstring(message), path.wstring())) {
                fail("the message about the unreadable record does not name " + path.string());
            }
            spoiled_.reset();
            return;
        }
    }
    fail("the unreadable record was not set aside");
}

void Sequence::checkRecord() {
    // Whenever the process could die, the record on disk holds what the ledger says the boards
    // are owed, and nothing else is in its folder but records set aside.
    const FileSnapshot files = folder_.systemFiles();
    const auto found = recordPath_.empty() ? files.end() : files.find(recordPath_);
    const RestoreRecord expected = ledger_.expectedRecord();
    if (found == files.end() ? !expected.empty()
                             : ParseRestoreRecord(found->second) != expected || expected.empty()) {
        fail("the restore record does not name exactly the boards owed their values");
    }
    for (const auto& entry : files) {
        if (entry.first != recordPath_ && setAside_.count(entry.first) == 0) {
            fail("a stray file beside the restore record: " + entry.first.string());
        }
    }
}

void Sequence::restoreRun() {
    // "-restore" gives back what the record names and is attached, and tells what it could not;
    // that it opens no window is its own tests' business.
    action_ = "-restore";
    std::vector<std::wstring> messages;
    host_->messageBoxUser = [&messages](std::wstring_view text, std::wstring_view, unsigned) {
        messages.emplace_back(text);
        return 1;
    };
    host_->arguments = L"-restore";
    const bool spoiled = spoiled_.has_value();
    if (!spoiled) {
        ledger_.givenBack(boardsNow_);
    }
    const int expected = spoiled ? 1 : ledger_.named().empty() ? 0 : 2;
    int code = 0;
    {
        CRimtraceApp app;
        app.InitInstance();
        code = app.ExitCode();
    }
    if (trace_) {
        std::cout << "-restore exited with " << code << "\n";
    }
    if (code != expected || messages.size() != (expected == 0 ? 0u : 1u)) {
        fail("-restore exited with " + std::to_string(code) + " and " +
             std::to_string(messages.size()) + " messages, not " + std::to_string(expected));
    }
    coverage_.count("-restore exit " + std::to_string(expected));
    for (const std::wstring& message : messages) {
        checkMessageFits(message);
    }
    if (spoiled) {
        checkSetAside(messages.front());
    }
    checkBoardsBack(0);
    checkRecord();
    nextProcess(host_->driver, host_->clock.tickCount());
}

void Sequence::nextProcess(headless::FakeDriverWindow driver, std::uint32_t tick) {
    newHost();
    host_->driver = std::move(driver);
    host_->clock.setTickCount(tick + static_cast<std::uint32_t>(rng_.between(100, 120000)));
}
