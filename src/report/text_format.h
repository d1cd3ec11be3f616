#pragma once
#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

// One argument of FormatText: a whole number, a floating-point number or a piece of wide text.
// Text arguments are views: the text must outlive the FormatText call (a temporary in the
// argument list does).
class TextArg {
  public:
    // Any integer that fits a signed 64-bit value without change; characters are not numbers.
    template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, char> && !std::same_as<T, wchar_t> &&
             !std::same_as<T, char8_t> && !std::same_as<T, char16_t> &&
             !std::same_as<T, char32_t> &&
             (std::is_signed_v<T> || sizeof(T) < sizeof(std::int64_t))) TextArg(T value)
        : value_(static_cast<std::int64_t>(value)) {}
    TextArg(double value) : value_(value) {}
    TextArg(std::wstring_view text) : value_(text) {}
    TextArg(const std::wstring& text) : value_(std::wstring_view(text)) {}
    TextArg(const wchar_t* text) : value_(text ? std::wstring_view(text) : std::wstring_view()) {}

    const std::int64_t* integer() const { return std::get_if<std::int64_t>(&value_); }
    const double* real() const { return std::get_if<double>(&value_); }
    const std::wstring_view* text() const { return std::get_if<std::wstring_view>(&value_); }

  private:
    std::variant<std::int64_t, double, std::wstring_view> value_;
};

// A small printf-style formatter for the program's own texts, independent of the C runtime (whose
// number output differs between runtimes). Conversions:
//   %d     integer argument, decimal
//   %.Nd   integer argument, at least N digits with leading zeros (N: one or two digits)
//   %.Nf   floating-point argument, fixed with N decimals, correctly rounded
//   %s     text argument
//   %%     a percent sign
// Arguments are taken in order. A conversion whose argument is missing or of another kind is
// copied to the result as written (a mismatched argument is still used up, so later conversions
// keep their own arguments); any other "%" sequence is copied as written and uses no argument.
std::wstring FormatText(std::wstring_view format, std::initializer_list<TextArg> args);
