#pragma once
// Reports as text in tests: checked from bytes, split into lines and joined again.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "report_tool/grading/report_check.h"
#include "support/whole_file.h"

inline CheckedReport CheckBytes(std::string_view bytes) {
    MemorySource source(bytes);
    return CheckReport(source);
}

// The report of a whole test, as the program wrote it.
inline std::string WholeTestReport() {
    return FileBytes(std::filesystem::path(RIMTRACE_SOURCE_DIR) / "tests/unit/data/whole_test.pts");
}

inline std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < bytes.size();) {
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
