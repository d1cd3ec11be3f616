#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// How many characters of a path one line of a message box holds: about 650 pixels in the
// system's message font, less than the narrowest screen a board is driven at. A message box
// breaks its text only at blanks and grows to fit its longest unbroken word, so a longer path
// would push both ends of the text off the screen.
inline constexpr std::size_t kMessageLineChars = 100;

// A path for a message box: unchanged when it fits one line, otherwise broken into lines of at
// most `width` characters after its separators (inside a name only where the name alone is too
// long). Every character is kept, so the user can still find the file.
std::wstring PathLines(std::wstring_view path, std::size_t width = kMessageLineChars);
