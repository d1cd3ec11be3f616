#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/edge_stats.h"
#include "framework/local_date_time.h"
#include "report_tool/grading/report_check.h"

// One edge in a summary row: what the report states for it, and how much of it was traced.
struct EdgeSummary {
    std::size_t points = 0;  // first-pass points stored for the edge
    // As stated in the report; none for an edge without points (whose min 4096 and max 0 are
    // only the analysis's starting values) or when the line could not be read.
    std::optional<std::uint32_t> min;
    std::optional<std::uint32_t> max;
    std::optional<std::uint32_t> spread;  // max - min, as the program grades it
    std::optional<EdgeVerdict> verdict;
    double coveragePercent = 0.0;
};

struct SummaryRow {
    std::string file;          // UTF-8
    std::string serialNumber;  // UTF-8
    std::string serialBytes;   // as written: what tells one board from another
    std::optional<LocalDateTime> writtenAt;
    std::array<EdgeSummary, 4> edges;  // left, bottom, right, top
    bool secondPass = false;
    bool internalTrace = false;
    std::size_t freeStrokes = 0;
    std::size_t problems = 0;
    std::string firstProblem;  // "line N: ..." or empty
};

SummaryRow SummarizeReport(std::string file, const CheckedReport& checked);

// By serial number, then date and time (undated first), then file name.
void SortRows(std::vector<SummaryRow>& rows);
