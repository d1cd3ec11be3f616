#include "values.h"

#include <array>
#include <cctype>
#include <charconv>
#include <string>
#include <utility>

namespace rtdriver {
namespace {

constexpr std::array<std::pair<std::string_view, std::uint16_t>, 20> kKeys = {{
    {"backspace", 0x08}, {"tab", 0x09},   {"enter", 0x0D},  {"return", 0x0D}, {"escape", 0x1B},
    {"esc", 0x1B},       {"space", 0x20}, {"pageup", 0x21}, {"prior", 0x21},  {"pagedown", 0x22},
    {"next", 0x22},      {"end", 0x23},   {"home", 0x24},   {"left", 0x25},   {"up", 0x26},
    {"right", 0x27},     {"down", 0x28},  {"insert", 0x2D}, {"delete", 0x2E}, {"del", 0x2E},
}};

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

std::optional<std::int64_t> ParseDigits(std::string_view text, int base) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<std::int64_t> ParseInteger(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() == '-' || text.front() == '+') {
        return std::nullopt;
    }
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const auto value = hex ? ParseDigits(text.substr(2), 16) : ParseDigits(text, 10);
    if (!value) {
        return std::nullopt;
    }
    return negative ? -*value : *value;
}

std::optional<std::int64_t> ParseDuration(std::string_view text, TimeUnit defaultUnit) {
    TimeUnit unit = defaultUnit;
    if (text.ends_with("ms")) {
        unit = TimeUnit::Milliseconds;
        text.remove_suffix(2);
    } else if (text.ends_with("s")) {
        unit = TimeUnit::Seconds;
        text.remove_suffix(1);
    }
    const auto dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    std::string fraction(dot == std::string_view::npos ? "" : text.substr(dot + 1));
    if (whole.empty() || whole.front() == '-' || whole.front() == '+' || fraction.size() > 3 ||
        (dot != std::string_view::npos && fraction.empty())) {
        return std::nullopt;
    }
    const auto wholeValue = ParseDigits(whole, 10);
    fraction.resize(3, '0');
    const auto thousandths = ParseDigits(fraction, 10);
    // A year is plenty for any wait and keeps the product far from overflow.
    if (!wholeValue || !thousandths || *wholeValue > 366LL * 24 * 3600 * 1000) {
        return std::nullopt;
    }
    if (unit == TimeUnit::Milliseconds) {
        return *wholeValue + (*thousandths + 999) / 1000;
    }
    return *wholeValue * 1000 + *thousandths;
}

std::optional<std::uint16_t> VirtualKey(std::string_view name) {
    const std::string lower = Lower(name);
    for (const auto& [key, code] : kKeys) {
        if (key == lower) {
            return code;
        }
    }
    if (lower.size() == 1 && std::isalnum(static_cast<unsigned char>(lower[0]))) {
        return static_cast<std::uint16_t>(std::toupper(static_cast<unsigned char>(lower[0])));
    }
    const auto code = ParseInteger(name);
    if (code && *code > 0 && *code < 0xFF) {
        return static_cast<std::uint16_t>(*code);
    }
    return std::nullopt;
}

}  // namespace rtdriver
