#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "framework/local_date_time.h"
#include "trace/board_point.h"

// The number forms of a report, read strictly: only the exact text the program writes for a
// value is taken, so that a number that reads the same but is spelled differently (a leading
// zero, a plus sign, blanks, "-0", 22.14290 for 22.1429) is told apart.

// Decimal digits without sign or leading zeros, 0..4294967295.
std::optional<std::uint32_t> ParseReportUnsigned(std::string_view text);
// The same with a minus sign for negative values, -2147483648..2147483647.
std::optional<std::int32_t> ParseReportSigned(std::string_view text);
// An average: the float whose report form (FormatReportFloat) is exactly this text.
std::optional<float> ParseReportFloat(std::string_view text);
// "x,y".
std::optional<BoardPoint> ParseReportPoint(std::string_view text);
// "day/month/year hour:minute:second", a real calendar date with years 1..9999.
std::optional<LocalDateTime> ParseReportDate(std::string_view text);
