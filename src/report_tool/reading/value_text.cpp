#include "report_tool/reading/value_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "report/report_float.h"
#include "report_tool/reading/point_text.h"

namespace {

// Digits only, at least one and at most ten, no leading zero unless the number is 0; the value,
// which ten digits always hold in 64 bits. Point lines are most of a report, so this is one pass.
std::optional<std::int64_t> PlainDigits(std::string_view text) {
    if (text.empty() || text.size() > 10 || (text.size() > 1 && text[0] == '0')) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (char c : text) {
        const unsigned digit = static_cast<unsigned char>(c) - unsigned{'0'};
        if (digit > 9) {
            return std::nullopt;
        }
        value = value * 10 + digit;
    }
    return value;
}

// Splits "a<sep>b<sep>c" into exactly three parts.
bool SplitThree(std::string_view text, char sep, std::string_view (&parts)[3]) {
    for (int i = 0; i < 2; ++i) {
        const std::size_t at = text.find(sep);
        if (at == std::string_view::npos) {
            return false;
        }
        parts[i] = text.substr(0, at);
        text.remove_prefix(at + 1);
    }
    parts[2] = text;
    return text.find(sep) == std::string_view::npos;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

std::optional<std::uint32_t> ParseReportUnsigned(std::string_view text) {
    const auto value = PlainDigits(text);
    if (!value || *value > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*value);
}

std::optional<std::int32_t> ParseReportSigned(std::string_view text) {
    const bool negative = !text.empty() && text[0] == '-';
    const auto magnitude = PlainDigits(negative ? text.substr(1) : text);
    if (!magnitude || (negative && *magnitude == 0)) {
        return std::nullopt;
    }
    const std::int64_t value = negative ? -*magnitude : *magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::optional<float> ParseReportFloat(std::string_view text) {
    float value = 0.0f;
    if (text == "nan") {
        value = std::numeric_limits<float>::quiet_NaN();
    } else {
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size()) {
            return std::nullopt;
        }
    }
    if (FormatReportFloat(value) != text) {
        return std::nullopt;
    }
    return value;
}

std::optional<BoardPoint> ParseReportPoint(std::string_view text) {
    const char* at = text.data();
    const char* end = text.data() + text.size();
    BoardPoint p;
    if (!point_text::TakePoint(at, end, p) || at != end) {
        return std::nullopt;
    }
    return p;
}

std::optional<LocalDateTime> ParseReportDate(std::string_view text) {
    const std::size_t blank = text.find(' ');
    if (blank == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view date[3];
    std::string_view time[3];
    if (!SplitThree(text.substr(0, blank), '/', date) ||
        !SplitThree(text.substr(blank + 1), ':', time)) {
        return std::nullopt;
    }
    std::uint32_t values[6] = {};
    const std::string_view* parts[6] = {&date[0], &date[1], &date[2], &time[0], &time[1], &time[2]};
    for (int i = 0; i < 6; ++i) {
        const auto value = ParseReportUnsigned(*parts[i]);
        if (!value || *value > 9999) {
            return std::nullopt;
        }
        values[i] = *value;
    }
    const std::uint32_t day = values[0];
    const std::uint32_t month = values[1];
    const std::uint32_t year = values[2];
    if (year < 1 || month < 1 || month > 12 || day < 1 ||
        day > static_cast<std::uint32_t>(
                  DaysInMonth(static_cast<int>(year), static_cast<int>(month))) ||
        values[3] > 23 || values[4] > 59 || values[5] > 59) {
        return std::nullopt;
    }
    LocalDateTime t;
    t.year = static_cast<std::uint16_t>(year);
    t.month = static_cast<std::uint16_t>(month);
    t.day = static_cast<std::uint16_t>(day);
    t.hour = static_cast<std::uint16_t>(values[3]);
    t.minute = static_cast<std::uint16_t>(values[4]);
    t.second = static_cast<std::uint16_t>(values[5]);
    return t;
}

std::optional<EdgeVerdict> ParseReportVerdict(std::string_view text) {
    for (EdgeVerdict v :
         {EdgeVerdict::Passed, EdgeVerdict::Correctable, EdgeVerdict::NotCorrectable}) {
        if (text == VerdictLine(v)) {
            return v;
        }
    }
    return std::nullopt;
}

std::string VerdictWord(EdgeVerdict verdict) {
    switch (verdict) {
        case EdgeVerdict::Passed:
            return "passed";
        case EdgeVerdict::Correctable:
            return "correctable";
        case EdgeVerdict::NotCorrectable:
            break;
    }
    return "not correctable";
}

std::string VerdictLine(EdgeVerdict verdict) {
    return "# " + VerdictWord(verdict);
}

std::string OneDecimal(double value) {
    std::array<char, 40> text{};
    const auto end =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 1)
            .ptr;
    return std::string(text.data(), end);
}

std::string IsoDateTime(const LocalDateTime& t) {
    // As printf's %02u would, without its cost: an index shows thousands of dates.
    std::string text;
    const auto part = [&text](unsigned value, std::size_t width, char after) {
        std::array<char, 8> digits{};
        const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
        const auto length = static_cast<std::size_t>(end - digits.data());
        text.append(length < width ? width - length : 0, '0').append(digits.data(), length);
        if (after != '\0') {
            text += after;
        }
    };
    part(t.year, 4, '-');
    part(t.month, 2, '-');
    part(t.day, 2, 'T');
    part(t.hour, 2, ':');
    part(t.minute, 2, ':');
    part(t.second, 2, '\0');
    return text;
}

std::string Counted(std::size_t count, std::string_view thing) {
    return std::to_string(count) + " " + std::string(thing) + (count == 1 ? "" : "s");
}
