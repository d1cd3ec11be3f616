#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/edge_stats.h"
#include "framework/local_date_time.h"
#include "report_tool/reading/text_encoding.h"
#include "trace/point_arrays.h"
#include "trace/trace_point_array.h"

// A report as read from its file: what each line said, and where. Line numbers count from 1;
// 0 means the line was not there.

// The lines of one edge's stats section, in file order.
enum class StatLine { Heading, Min, Max, Avg, MinGap, MaxGap, AvgGap, Verdict, Count };
inline constexpr std::size_t kStatLines = static_cast<std::size_t>(StatLine::Count);

struct StoredStats {
    std::array<std::int64_t, kStatLines> lines{};
    // The values of the lines that could be read; the averages as the floats they spell.
    std::optional<std::uint32_t> min, max, minGap, maxGap;
    std::optional<float> avg, avgGap;
    std::optional<EdgeVerdict> verdict;

    std::int64_t line(StatLine which) const { return lines[static_cast<std::size_t>(which)]; }
};

// One point section: a first-pass, second-pass or internal-trace array, or an extra stroke.
struct PointSection {
    std::int64_t labelLine = 0;
    std::int64_t countLine = 0;
    std::optional<std::int32_t> statedCount;
    TracePointArray points;           // the point lines that could be read, in order
    std::int64_t pointLines = 0;      // lines read as point lines, good or not
    std::int64_t firstPointLine = 0;  // point i is on line firstPointLine + i when all are good
    bool cutOff = false;              // the file ended before the section did
    bool allPointsGood() const { return static_cast<std::int64_t>(points.size()) == pointLines; }
    // Every point of the section is there to be graded.
    bool readWhole() const { return labelLine != 0 && allPointsGood() && !cutOff; }
};

struct ParsedReport {
    std::string serialNumber;  // bytes as written: the writing system's ANSI code page
    ShownText serial;          // the same as text, in the code page it was read in
    std::int64_t serialLine = 0;
    std::optional<LocalDateTime> writtenAt;
    std::array<StoredStats, 4> stats;                   // left, bottom, right, top
    std::array<PointSection, kPointArrayCount> arrays;  // in the program's order (ArrayOf)
    std::vector<PointSection> extraStrokes;

    const PointSection& section(Pass pass, Edge edge) const { return arrays[ArrayOf(pass, edge)]; }
};
