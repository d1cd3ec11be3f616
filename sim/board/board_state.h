// What the simulated board keeps between runs: the content of the state text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "board/saved_board_settings.h"
#include "tavlo_sim.h"

namespace tavlo_sim {

// The board's integer settings in slot order, and their values on a fresh board.
inline constexpr std::array<int, 3> kSettingIds = {0, 1, 4};
inline constexpr std::array<std::uint32_t, 3> kDefaultSettings = {
    static_cast<std::uint32_t>(kDefaultBoardSettings.intSetting0),
    static_cast<std::uint32_t>(kDefaultBoardSettings.intSetting1),
    static_cast<std::uint32_t>(kDefaultBoardSettings.intSetting4)};

// The slot of a setting id, or nothing for an id the board does not have.
inline std::optional<std::size_t> SettingSlot(int setting) {
    for (std::size_t slot = 0; slot < kSettingIds.size(); ++slot) {
        if (kSettingIds[slot] == setting) {
            return slot;
        }
    }
    return std::nullopt;
}

struct BoardData {
    DisplayRect display;
    std::array<std::uint32_t, 3> settings = kDefaultSettings;
};

struct BoardState {
    std::vector<BoardData> boards;  // board b is boards[b - 1]
    int currentBoard = 1;
    std::map<int, OrientPoints> orientPoints;  // by the board number they were handed to
    std::string journalPath;
    bool mousePen = true;
};

}  // namespace tavlo_sim
