#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/edge_stats.h"
#include "framework/local_date_time.h"
#include "report_tool/grading/edge_grade.h"
#include "report_tool/grading/report_check.h"

// One edge in a summary row: what its first-pass points say, graded with the program's analysis,
// what the report claims, and how much of the edge was traced. Positions are board units (4096
// across the board).
struct EdgeSummary {
    std::size_t points = 0;  // first-pass points read for the edge
    // Of the points; none when the edge's point section could not be read whole (a damaged point
    // line, a cut-off file), and the statistics none for an edge without points too (its min 4096
    // and max 0 are only the analysis's starting values).
    std::optional<std::uint32_t> min;
    std::optional<std::uint32_t> max;
    std::optional<std::uint32_t> spread;  // max - min, as the program grades it
    std::optional<EdgeVerdict> verdict;
    // The report's own verdict line, when it could be read; it may differ from `verdict`.
    std::optional<EdgeVerdict> claimedVerdict;
    double coveragePercent = 0.0;

    // The claim where it differs from what the points say.
    std::optional<EdgeVerdict> differingClaim() const {
        return DifferingClaim(verdict, claimedVerdict);
    }
};

struct SummaryRow {
    std::string file;          // UTF-8
    std::string serialNumber;  // UTF-8, read in `encoding`
    std::string serialBytes;   // as written: what tells one board from another
    std::string encoding;      // the code page the serial number was read in: "cp1252", "utf-8"
    std::optional<LocalDateTime> writtenAt;
    std::array<EdgeSummary, 4> edges;  // left, bottom, right, top
    // The report's verdict, its worst edge's; none while an edge that could not be graded might
    // be worse than the others.
    std::optional<EdgeVerdict> verdict;
    bool secondPass = false;
    bool internalTrace = false;
    std::size_t extraStrokes = 0;
    std::size_t problems = 0;
    std::string firstProblem;           // "line N: ..." or empty
    std::vector<std::string> warnings;  // "line N: ..." or the text alone, in the check's order
};

SummaryRow SummarizeReport(std::string file, const CheckedReport& checked);

// By serial number, then date and time (undated first), then file name.
void SortRows(std::vector<SummaryRow>& rows);
