// The state file: where it is, reading it, and replacing it as a whole.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavlo_win {

// %TAVLO_STATE% if set, else TAVLO.state beside the DLL.
std::wstring StateFilePath();
// Nothing when the file cannot be read (a missing file means defaults).
std::optional<std::string> ReadStateFile(const std::wstring& path);
// Writes a temporary file beside it and moves it over the old one, so a reader sees either the
// old or the new state, never a part.
bool ReplaceStateFile(const std::wstring& path, std::string_view text);

}  // namespace tavlo_win
