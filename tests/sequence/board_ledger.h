#pragma once
#include <array>
#include <set>
#include <vector>

#include "board/restore_record.h"
#include "world.h"

// What each board is owed across the runs of one sequence — the values it must have once a run
// gave the boards back — and what the restore record on disk must name meanwhile. Boards are
// known by number, as the program knows them: a board that leaves and comes back is the same
// board to it.
class BoardLedger {
  public:
    explicit BoardLedger(const World& world);

    // The board's own values; for a board that never took part in a test (or one the record
    // lost) those a new board gets.
    const OwnBoard& owed(int board) const { return owed_.at(static_cast<std::size_t>(board)); }

    // A record that cannot be read took the place of the one on disk, while every board it
    // named is attached: nothing is applied from it, so the attached boards keep what they have
    // now (`attachedNow`, board 1 first) as their own.
    void recordLost(const std::vector<OwnBoard>& attachedNow);
    // A run started with `attached` boards, gave back those the record named and read them all
    // as its originals (every driver state as on without the driver window).
    void runStarted(int attached, bool driverPresent);
    // The end of a run (or of the session, or "-restore") gave the boards back with `attached`
    // attached; those named that must wait stay named.
    void givenBack(int attached);
    // The board count changed while no program ran: boards that went and that no record names
    // are forgotten (the simulated board forgets them too), and come back new.
    void boardsChangedBetweenRuns(int attached);

    const std::set<int>& named() const { return named_; }
    // What the record must hold; empty when there must be no file.
    RestoreRecord expectedRecord() const;

  private:
    bool kept_;  // the world has a place for the record
    std::array<OwnBoard, kMostBoards + 1> owed_{};
    std::set<int> named_;
};
