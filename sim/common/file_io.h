// Whole-file reads and writes and shared appends, by wide path, for the stand-ins (TAVLO.dll's
// host among them) and the driver.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sim {

std::optional<std::string> ReadWholeFile(const std::wstring& path);
// Writes a temporary beside `path` and moves it over the old file, so a reader sees either the
// old or the new contents, never a part.
bool WriteWholeFile(const std::wstring& path, std::string_view bytes);
// Opens, appends `line` and "\n" in one write, closes. Other processes may hold the file open
// for appending at the same time; every line lands whole at the end.
bool AppendLine(const std::wstring& path, std::string_view line);
bool FileExists(const std::wstring& path);
// Creates the folder and any missing parents; true when it exists afterwards.
bool MakeFolders(const std::wstring& path);

}  // namespace sim
