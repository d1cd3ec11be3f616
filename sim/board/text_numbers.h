// Numbers as the state text and the journal write and read them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavlo_sim {

// "0x" and upper-case hex digits without leading zeros: 0x32, 0x80000001.
std::string HexText(std::uint32_t value);
// The shortest text that reads back as the same float.
std::string FloatText(float value);

// Each accepts the whole text or nothing.
std::optional<int> ParseInt(std::string_view text);
// "0x" hex or decimal; values beyond 32 bits are rejected.
std::optional<std::uint32_t> ParseU32(std::string_view text);
std::optional<float> ParseFloat(std::string_view text);

}  // namespace tavlo_sim
