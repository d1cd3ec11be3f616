// The state text: BoardState as "key=value" lines (the format is described in README.md).
#pragma once

#include <string>
#include <string_view>

#include "board_state.h"

namespace tavlo_sim {

std::string FormatStateText(const BoardState& state);
// Lines or values that do not parse are skipped; what they would have set keeps its default.
// Boards without a display in the text get `defaultDisplay`.
BoardState ParseStateText(std::string_view text, const DisplayRect& defaultDisplay);

}  // namespace tavlo_sim
