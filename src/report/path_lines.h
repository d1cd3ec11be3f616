#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// How many characters of a path a message box line holds on the smallest screen the program
// runs on: message boxes grow to fit their longest unbroken word, so a longer path would push
// both ends of the text off the screen.
inline constexpr std::size_t kMessageLineChars = 64;

// A path for a message box: unchanged when it fits one line, otherwise broken into lines of at
// most `width` characters after its separators (inside a name only where the name alone is too
// long). Every character is kept, so the user can still find the file.
std::wstring PathLines(std::wstring_view path, std::size_t width = kMessageLineChars);
