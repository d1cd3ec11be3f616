// Numbers, durations and key names as scenarios write them.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace rtdriver {

// Decimal or 0x hex, optionally signed; the whole text or nothing.
std::optional<std::int64_t> ParseInteger(std::string_view text);

enum class TimeUnit { Seconds, Milliseconds };
// "10" in the default unit, "2.5s", "500ms"; at most three decimals; never negative. In
// milliseconds.
std::optional<std::int64_t> ParseDuration(std::string_view text, TimeUnit defaultUnit);

// "escape", "enter", "delete", "space", "pagedown", "d", ... (any case), or a virtual-key code
// as a number.
std::optional<std::uint16_t> VirtualKey(std::string_view name);

}  // namespace rtdriver
