#include "board_states.h"

namespace board50 {

std::optional<BoardStates> BoardStates::Parse(std::string_view list) {
    BoardStates states;
    if (list.empty()) {
        return states;
    }
    std::int64_t board = 1;
    while (true) {
        const auto comma = list.find(',');
        const std::string_view item = list.substr(0, comma);
        if (item != "0" && item != "1") {
            return std::nullopt;
        }
        states.set(board++, item == "1");
        if (comma == std::string_view::npos) {
            return states;
        }
        list.remove_prefix(comma + 1);
    }
}

bool BoardStates::get(std::int64_t board) const {
    const auto found = states_.find(board);
    return found == states_.end() || found->second;
}

void BoardStates::set(std::int64_t board, bool on) {
    states_[board] = on;
}

std::string GetStateLine(std::int64_t board, bool answered) {
    return "board50 get board=" + std::to_string(board) + " state=" + (answered ? "1" : "0");
}

std::string SetStateLine(std::int64_t board, std::int64_t requested) {
    return "board50 set board=" + std::to_string(board) + " state=" + std::to_string(requested);
}

}  // namespace board50
