#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "trace/board_point.h"

// A report file read back by its documented layout, with nothing taken from the writer's code.
struct ReportFileContent {
    struct Stats {
        std::uint32_t min = 0;
        std::uint32_t max = 0;
        double avg = 0;
        std::uint32_t minGap = 0;
        std::uint32_t maxGap = 0;
        double avgGap = 0;
        std::string verdict;  // the verdict line as written
    };
    std::string serialNumber;
    std::string dateAndTime;
    std::array<Stats, 4> stats;                      // left, bottom, right, top
    std::array<std::vector<BoardPoint>, 12> points;  // first pass, second pass, internal
    std::vector<std::vector<BoardPoint>> extraStrokes;
};

// The content of a report's bytes, or the first thing about them that breaks the layout
// (a line not ended by CR LF, a wrong label, a count that does not match, anything left over).
struct ReportReading {
    std::optional<ReportFileContent> content;
    std::string error;
};
ReportReading ReadReport(std::string_view bytes);
