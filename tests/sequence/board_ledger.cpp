#include "board_ledger.h"

BoardLedger::BoardLedger(const World& world) : kept_(world.recordPlace != RecordPlace::None) {
    std::copy(world.boards.begin(), world.boards.end(), owed_.begin() + 1);
}

void BoardLedger::recordLost(const std::vector<OwnBoard>& attachedNow) {
    named_.clear();
    std::copy(attachedNow.begin(), attachedNow.end(), owed_.begin() + 1);
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

void BoardLedger::boardsChangedBetweenRuns(int attached) {
    for (int board = attached + 1; board <= kMostBoards; ++board) {
        if (named_.count(board) == 0) {
            owed_[static_cast<std::size_t>(board)] = OwnBoard{};
        }
    }
}

RestoreRecord BoardLedger::expectedRecord() const {
    RestoreRecord record;
    for (int board : named_) {
        record.push_back({board, owed(board)});
    }
    return record;
}
