#include "board_ledger.h"

#include <cstdio>

namespace {
OwnBoard NewBoard() {
    return {kNewBoardSettings, true};
}
}  // namespace

BoardLedger::BoardLedger(const World& world) : kept_(world.recordPlace != RecordPlace::None) {
    owed_.fill(NewBoard());
    for (std::size_t b = 0; b < world.boards.size(); ++b) {
        owed_[b + 1] = world.boards[b];
    }
}

void BoardLedger::recordLost(const std::vector<OwnBoard>& attachedNow) {
    named_.clear();
    for (std::size_t b = 0; b < attachedNow.size(); ++b) {
        owed_[b + 1] = attachedNow[b];
    }
}

void BoardLedger::runStarted(int attached, bool driverPresent) {
    for (int board = 1; board <= attached; ++board) {
        if (!driverPresent) {
            owed_[static_cast<std::size_t>(board)].driverState = true;
        }
        if (kept_) {
            named_.insert(board);
        }
    }
}

void BoardLedger::givenBack(int attached) {
    std::erase_if(named_, [attached](int board) { return board <= attached; });
}

std::vector<int> BoardLedger::restoreRun(int attached) {
    givenBack(attached);
    return {named_.begin(), named_.end()};
}

void BoardLedger::boardsChangedBetweenRuns(int attached) {
    for (int board = attached + 1; board <= kMostBoards; ++board) {
        if (named_.count(board) == 0) {
            owed_[static_cast<std::size_t>(board)] = NewBoard();
        }
    }
}

std::string BoardLedger::expectedRecordText() const {
    if (named_.empty()) {
        return {};
    }
    std::string text = "rimtrace restore record 1\n";
    for (int board : named_) {
        const OwnBoard& own = owed(board);
        char line[128];
        std::snprintf(line, sizeof line, "board %d setting0=0x%08X setting1=0x%08X setting4=0x%08X",
                      board, own.settings[0], own.settings[1], own.settings[2]);
        text += line;
        text += own.driverState ? " driver=on\n" : " driver=off\n";
    }
    return text + "end\n";
}
