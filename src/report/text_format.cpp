#include "report/text_format.h"

#include <array>
#include <charconv>
#include <optional>

namespace {

// Two precision digits at most: enough for every text we format and a bound on the output.
constexpr std::size_t kMaxPrecisionDigits = 2;
// A double in fixed notation has at most 309 integer digits; sign, point and 99 decimals fit.
constexpr std::size_t kNumberBufferSize = 512;

struct Conversion {
    std::size_t length = 0;  // characters of the format the conversion spans, "%" included
    wchar_t type = 0;
    std::optional<int> precision;
};

// Reads the conversion that starts with the "%" at `start`; nullopt when it is none we know.
std::optional<Conversion> ParseConversion(std::wstring_view format, std::size_t start) {
    std::size_t i = start + 1;
    Conversion conv;
    if (i < format.size() && format[i] == L'.') {
        ++i;
        int precision = 0;
        std::size_t digits = 0;
        while (i < format.size() && format[i] >= L'0' && format[i] <= L'9' &&
               digits < kMaxPrecisionDigits) {
            precision = precision * 10 + (format[i] - L'0');
            ++digits;
            ++i;
        }
        if (digits == 0) {
            return std::nullopt;
        }
        conv.precision = precision;
    }
    if (i >= format.size()) {
        return std::nullopt;
    }
    conv.type = format[i];
    conv.length = i + 1 - start;
    const bool known = (conv.type == L'd') || (conv.type == L'f' && conv.precision) ||
                       ((conv.type == L's' || conv.type == L'%') && !conv.precision);
    if (!known) {
        return std::nullopt;
    }
    return conv;
}

void AppendAscii(std::wstring& out, const char* first, const char* last) {
    for (; first != last; ++first) {
        out += static_cast<wchar_t>(static_cast<unsigned char>(*first));
    }
}

void AppendInteger(std::wstring& out, std::int64_t value, int minDigits) {
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::array<char, 24> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), magnitude).ptr;
    const int count = static_cast<int>(end - digits.data());
    if (value < 0) {
        out += L'-';
    }
    if (minDigits > count) {
        out.append(static_cast<std::size_t>(minDigits - count), L'0');
    }
    AppendAscii(out, digits.data(), end);
}

bool AppendFixed(std::wstring& out, double value, int decimals) {
    std::array<char, kNumberBufferSize> text{};
    const auto [end, ec] = std::to_chars(text.data(), text.data() + text.size(), value,
                                         std::chars_format::fixed, decimals);
    if (ec != std::errc()) {
        return false;
    }
    AppendAscii(out, text.data(), end);
    return true;
}

// Writes one conversion with its argument; false when the argument does not fit the conversion.
bool AppendConversion(std::wstring& out, const Conversion& conv, const TextArg& arg) {
    switch (conv.type) {
        case L'd':
            if (const auto* value = arg.integer()) {
                AppendInteger(out, *value, conv.precision.value_or(1));
                return true;
            }
            return false;
        case L'f':
            if (const auto* value = arg.real()) {
                return AppendFixed(out, *value, *conv.precision);
            }
            return false;
        case L's':
            if (const auto* value = arg.text()) {
                out += *value;
                return true;
            }
            return false;
        default:
            return false;
    }
}

}  // namespace

std::wstring FormatText(std::wstring_view format, std::initializer_list<TextArg> args) {
    std::wstring out;
    out.reserve(format.size());
    auto nextArg = args.begin();
    std::size_t i = 0;
    while (i < format.size()) {
        if (format[i] != L'%') {
            out += format[i++];
            continue;
        }
        const auto conv = ParseConversion(format, i);
        if (!conv) {
            out += format[i++];
            continue;
        }
        const std::wstring_view written = format.substr(i, conv->length);
        i += conv->length;
        if (conv->type == L'%') {
            out += L'%';
            continue;
        }
        if (nextArg == args.end()) {
            out += written;
            continue;
        }
        const std::size_t before = out.size();
        if (!AppendConversion(out, *conv, *nextArg++)) {
            out.resize(before);
            out += written;
        }
    }
    return out;
}
