#include "report/report_float.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace {

constexpr int kSignificantDigits = 6;
constexpr int kMinFixedExponent = -4;
constexpr int kMinExponentDigits = 3;

// Drops trailing zeros after a decimal point, and the point itself when nothing follows it.
std::string_view TrimFraction(std::string_view digits) {
    if (digits.find('.') == std::string_view::npos) {
        return digits;
    }
    while (digits.back() == '0') {
        digits.remove_suffix(1);
    }
    if (digits.back() == '.') {
        digits.remove_suffix(1);
    }
    return digits;
}

std::string FormatFinite(double value) {
    // Scientific notation rounded to six digits gives the exponent the choice depends on.
    std::array<char, 64> sci{};
    const auto sciEnd = std::to_chars(sci.data(), sci.data() + sci.size(), value,
                                      std::chars_format::scientific, kSignificantDigits - 1)
                            .ptr;
    const std::string_view sciText(sci.data(), static_cast<std::size_t>(sciEnd - sci.data()));
    const std::size_t ePos = sciText.find('e');
    const bool negativeExponent = sciText[ePos + 1] == '-';
    int exponentMagnitude = 0;
    std::from_chars(sciText.data() + ePos + 2, sciEnd, exponentMagnitude);
    const int exponent = negativeExponent ? -exponentMagnitude : exponentMagnitude;

    if (exponent >= kMinFixedExponent && exponent < kSignificantDigits) {
        std::array<char, 64> fixed{};
        const auto fixedEnd =
            std::to_chars(fixed.data(), fixed.data() + fixed.size(), value,
                          std::chars_format::fixed, kSignificantDigits - 1 - exponent)
                .ptr;
        return std::string(TrimFraction(
            std::string_view(fixed.data(), static_cast<std::size_t>(fixedEnd - fixed.data()))));
    }

    std::string out(TrimFraction(sciText.substr(0, ePos)));
    out += 'e';
    out += negativeExponent ? '-' : '+';
    const std::string exponentDigits = std::to_string(exponentMagnitude);
    if (exponentDigits.size() < kMinExponentDigits) {
        out.append(kMinExponentDigits - exponentDigits.size(), '0');
    }
    out += exponentDigits;
    return out;
}

}  // namespace

std::string FormatReportFloat(float value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    return FormatFinite(static_cast<double>(value));
}
