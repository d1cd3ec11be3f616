#include "text_numbers.h"

#include <cctype>
#include <charconv>
#include <system_error>

namespace tavlo_sim {
namespace {

template <typename T, typename... Base>
std::optional<T> ParseWhole(std::string_view text, Base... base) {
    T value{};
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value, base...);
    if (text.empty() || error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::string HexText(std::uint32_t value) {
    char digits[8];
    auto result = std::to_chars(digits, digits + sizeof digits, value, 16);
    std::string text = "0x";
    for (const char* p = digits; p != result.ptr; ++p) {
        text += static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
    }
    return text;
}

std::string FloatText(float value) {
    char digits[32];
    auto result = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, result.ptr);
}

std::optional<int> ParseInt(std::string_view text) {
    return ParseWhole<int>(text, 10);
}

std::optional<std::uint32_t> ParseU32(std::string_view text) {
    if (text.starts_with("0x") || text.starts_with("0X")) {
        return ParseWhole<std::uint32_t>(text.substr(2), 16);
    }
    return ParseWhole<std::uint32_t>(text, 10);
}

std::optional<float> ParseFloat(std::string_view text) {
    return ParseWhole<float>(text);
}

}  // namespace tavlo_sim
