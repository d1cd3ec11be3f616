#pragma once
#include <filesystem>
#include <string_view>

// Puts `bytes` into the file `target` as a whole or not at all. The bytes go to a new temporary
// file beside the target, which replaces the target only after it was completely written and
// closed; on any failure the temporary file is removed and an existing target keeps its old
// content. The path is used as given (wide on Windows), so names outside the ANSI code page
// work. Returns true only when the complete file is in place; an empty path or a path that does
// not name a file gives false.
bool WriteReportFile(const std::filesystem::path& target, std::string_view bytes);
