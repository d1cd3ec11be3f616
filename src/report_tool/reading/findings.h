#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One thing found wrong with a report, or worth a warning: on a line (from 1), or about the
// file as a whole (line 0). The text reads "expected ..., found ...".
struct Finding {
    std::int64_t line = 0;
    std::string text;
    friend bool operator==(const Finding&, const Finding&) = default;
};

// What reading and re-grading one file found, in line order (the file as a whole, line 0, first).
// Every problem is counted; the first report_limits::kMaxListedProblems found are kept to be
// listed, so a file of garbage cannot fill the memory with messages.
class Findings {
  public:
    void problem(std::int64_t line, std::string text);
    void warning(std::int64_t line, std::string text);

    const std::vector<Finding>& problems() const { return problems_; }
    const std::vector<Finding>& warnings() const { return warnings_; }
    std::size_t problemCount() const { return problemCount_; }
    bool ok() const { return problemCount_ == 0; }

  private:
    std::vector<Finding> problems_;
    std::vector<Finding> warnings_;
    std::size_t problemCount_ = 0;
};

// A finding as a list shows it: "line N: text", or the text alone for the file as a whole.
std::string WithLine(const Finding& finding);

// A line's text as a message shows it: quoted, bytes outside printable ASCII as \xNN, long text
// shortened.
std::string Quoted(std::string_view text);
