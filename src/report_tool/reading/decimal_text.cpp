#include "report_tool/reading/decimal_text.h"

#include <array>
#include <charconv>

std::string OneDecimal(double value) {
    std::array<char, 40> text{};
    const auto end =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 1)
            .ptr;
    return std::string(text.data(), end);
}
