// What the driver window stand-in remembers per board, and the journal lines it writes.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace board50 {

// Board numbers are kept as the 64-bit values the messages carry, so a stray number is
// journalled as sent rather than cut.
class BoardStates {
  public:
    // "1,0,1": board 1 on, board 2 off, board 3 on. An empty list names no board. Anything but
    // comma-separated 0s and 1s is rejected.
    static std::optional<BoardStates> Parse(std::string_view list);

    // Boards never named nor set are on, as a driver that was never told otherwise would be.
    bool get(std::int64_t board) const;
    void set(std::int64_t board, bool on);

  private:
    std::map<std::int64_t, bool> states_;
};

// "board50 get board=2 state=1": asked for board 2, answered on.
std::string GetStateLine(std::int64_t board, bool answered);
// "board50 set board=2 state=0": told board 2's new state, the message's value as sent.
std::string SetStateLine(std::int64_t board, std::int64_t requested);

}  // namespace board50
