#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board/saved_board_settings.h"

// One board's own settings and driver state, as the end of a test gives them back.
struct BoardToRestore {
    std::int32_t board = 0;  // 1, 2, ...
    SavedBoardSettings settings;
    bool operator==(const BoardToRestore& other) const {
        return board == other.board && settings.intSetting0 == other.settings.intSetting0 &&
               settings.intSetting1 == other.settings.intSetting1 &&
               settings.intSetting4 == other.settings.intSetting4 &&
               settings.driverState == other.settings.driverState;
    }
};

// What a running test must give back to the boards, kept on disk so that a run that dies (killed,
// crashed, logged off) does not take the boards' own values with it. Boards in ascending order,
// each once.
using RestoreRecord = std::vector<BoardToRestore>;

// The record's text: a header line, one line per board, and an end line, so that a record cut
// short is recognised:
//   rimtrace restore record 1
//   board 1 setting0=0x00000032 setting1=0x0000000C setting4=0x00000001 driver=on
//   end
std::string FormatRestoreRecord(const RestoreRecord& record);

// Nothing when the text is not a complete, well-formed record (any line out of place, a board
// number outside 1..kMaxRestoreBoard or named twice, a value that is not 32 bits).
std::optional<RestoreRecord> ParseRestoreRecord(std::string_view text);

// The largest board number a record may name; more boards than this do not exist on one computer.
inline constexpr std::int32_t kMaxRestoreBoard = 4096;
// A record file larger than this is not one of ours.
inline constexpr std::size_t kMaxRestoreRecordBytes = 1 << 20;

// The boards of `record` in the order the end of a test restores them, with the entries for
// boards that are attached (1..attachedCount) separated from those that must wait for a later run.
struct RestoreSplit {
    RestoreRecord now;
    RestoreRecord later;
};
RestoreSplit SplitByAttached(const RestoreRecord& record, int attachedCount);
