#pragma once
#include <array>
#include <set>
#include <string>
#include <vector>

#include "world.h"

// What each board is owed across the runs of one sequence — the values it must have once a run
// gave the boards back — and what the restore record on disk must name meanwhile. Boards are
// known by number, as the program knows them: a board that leaves and comes back is the same
// board to it.
class BoardLedger {
  public:
    explicit BoardLedger(const World& world);

    // The board's own values, or for a board that never took part in a test (or one the record
    // lost) those a board comes with: 50, 12, 1, driver state on.
    const OwnBoard& owed(int board) const { return owed_.at(static_cast<std::size_t>(board)); }

    // A record that cannot be read took the place of the one on disk, while every board it
    // named is attached: nothing is applied from it, so the attached boards keep what they have
    // now (`attachedNow`, board 1 first) as their own.
    void recordLost(const std::vector<OwnBoard>& attachedNow);
    // A run started with `attached` boards, gave back those the record named and read them all
    // as its originals (every driver state as on without the driver window).
    void runStarted(int attached, bool driverPresent);
    // The end of a run (or of the session) gave the boards back with `attached` attached.
    void givenBack(int attached);
    // "-restore" with `attached` boards attached: the boards it named that must wait.
    std::vector<int> restoreRun(int attached);
    // The board count changed while no program ran: boards that went and that no record names
    // are forgotten (the simulated board forgets them too), and come back new.
    void boardsChangedBetweenRuns(int attached);

    const std::set<int>& named() const { return named_; }
    // The record's text as its documented layout has it; empty when there must be no file.
    std::string expectedRecordText() const;

  private:
    bool kept_;  // the world has a place for the record
    std::array<OwnBoard, kMostBoards + 1> owed_;
    std::set<int> named_;
};
