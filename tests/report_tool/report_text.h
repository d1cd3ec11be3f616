#pragma once
// Reports as text in tests: read from bytes, split into lines, changed line by line.
#include <string>
#include <string_view>
#include <vector>

#include "report_tool/grading/report_check.h"

inline CheckedReport CheckBytes(std::string_view bytes) {
    MemorySource source(bytes);
    return CheckReport(source);
}

inline std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", at);
        lines.push_back(bytes.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

inline std::string JoinLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

// The line numbers the problems name.
inline std::vector<std::int64_t> ProblemLines(const Findings& findings) {
    std::vector<std::int64_t> lines;
    for (const Finding& f : findings.problems()) {
        lines.push_back(f.line);
    }
    return lines;
}
