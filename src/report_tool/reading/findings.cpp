#include "report_tool/reading/findings.h"

#include <algorithm>
#include <utility>

#include "report_tool/reading/report_limits.h"

namespace {
constexpr std::size_t kShownBytes = 60;
}  // namespace

void Findings::problem(std::int64_t line, std::string text) {
    if (problems_.size() < report_limits::kMaxListedProblems) {
        // In line order, as a reader of the file meets them; those of one line as they were found.
        const auto at =
            std::upper_bound(problems_.begin(), problems_.end(), line,
                             [](std::int64_t l, const Finding& f) { return l < f.line; });
        problems_.insert(at, {line, std::move(text)});
    }
    ++problemCount_;
}

void Findings::warning(std::int64_t line, std::string text) {
    warnings_.push_back({line, std::move(text)});
}

std::string WithLine(const Finding& finding) {
    return (finding.line > 0 ? "line " + std::to_string(finding.line) + ": " : std::string()) +
           finding.text;
}

std::string Quoted(std::string_view text) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "'";
    for (std::size_t i = 0; i < text.size() && i < kShownBytes; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\\' || c == '\'') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    out += text.size() > kShownBytes ? "'..." : "'";
    return out;
}
