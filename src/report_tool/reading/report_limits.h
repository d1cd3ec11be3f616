#pragma once
#include <cstddef>
#include <cstdint>
#include "rules/board_rules.h"

// What rimtrace-report takes from the program's grading and from the board, in one place: the
// verdict limits it draws as bands, the board's extent it measures coverage against, and the
// bounds it keeps to whatever a file claims. The grading itself is the program's ClassifyEdge;
// the tests hold these numbers to it.
namespace report_limits {

using rules::kBoardExtent;
using rules::kCorrectableSpread;
using rules::kPassedSpread;

// No line of a report comes near this; a longer one is cut here and reported.
inline constexpr std::size_t kMaxLineBytes = 64 * 1024;
// A report holds a few thousand points; beyond this many the reader stops, so no file makes it
// hold more than a few tens of megabytes.
inline constexpr std::size_t kMaxPoints = std::size_t{1} << 22;
// Problems listed per file; all are counted.
inline constexpr std::size_t kMaxListedProblems = 100;

}  // namespace report_limits
