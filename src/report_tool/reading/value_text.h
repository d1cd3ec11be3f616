#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/edge_stats.h"
#include "framework/local_date_time.h"
#include "trace/board_point.h"

// The text of a report's values. Read strictly: only the exact text the program writes for a
// value is taken, so that a value that reads the same but is spelled differently (a leading
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
// "# passed", "# correctable" or "# not correctable".
std::optional<EdgeVerdict> ParseReportVerdict(std::string_view text);

// The verdict as its report line ("# passed") and as a word ("passed").
std::string VerdictLine(EdgeVerdict verdict);
std::string VerdictWord(EdgeVerdict verdict);

// Values as a person reads them: a number with one decimal, as per cent and mean distances are
// shown (46.4), a date and time in ISO 8601 ("2007-03-05T09:07:05"), a count of things ("1
// problem", "3 problems").
std::string OneDecimal(double value);
std::string IsoDateTime(const LocalDateTime& t);
std::string Counted(std::size_t count, std::string_view thing);
