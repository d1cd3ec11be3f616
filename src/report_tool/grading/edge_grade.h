#pragma once
#include <array>
#include <optional>

#include "analysis/edge_stats.h"
#include "report_tool/reading/report_model.h"

// What one edge's first-pass points say, graded with the program's own analysis, beside what the
// report claims. Only a point section read whole is graded: points lost to a damaged line or to
// the end of a cut-off file would give a verdict the edge never had.
struct EdgeGrade {
    bool graded = false;
    int start = 0;                       // the first point the statistics count
    EdgeStats stats;                     // of the points that were read, whole or not
    std::optional<EdgeVerdict> verdict;  // of the points, when graded
    std::optional<EdgeVerdict> claimed;  // the report's verdict line, when it could be read
};

// The report's claim where it says something else than the points (or they could not be graded).
inline std::optional<EdgeVerdict> DifferingClaim(std::optional<EdgeVerdict> verdict,
                                                 std::optional<EdgeVerdict> claimed) {
    return claimed != verdict ? claimed : std::nullopt;
}

EdgeGrade GradeEdge(const ParsedReport& report, Edge edge);
std::array<EdgeGrade, 4> GradeEdges(const ParsedReport& report);

// The report's verdict: its worst edge's. None while an edge that could not be graded might
// still be the worst.
std::optional<EdgeVerdict> OverallVerdict(const std::array<EdgeGrade, 4>& edges);
