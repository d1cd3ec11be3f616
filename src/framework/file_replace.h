#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Puts `bytes` into the file `target` as a whole or not at all, and durably. The bytes go to a
// new temporary file beside the target, which is flushed to the disk and only then replaces the
// target; on any failure the temporary file is removed and an existing target keeps its old
// content. A process killed at any moment, or a machine that loses power, leaves either the old
// file or the new one. The path is used as given (wide on Windows), so names outside the ANSI
// code page work. Returns true only when the complete file is in place; an empty path or a path
// that does not name a file gives false.
bool WriteFileDurably(const std::filesystem::path& target, std::string_view bytes);

// Whether a file name is that of the temporary file WriteFileDurably writes beside its target,
// which stays behind only when the process is killed in the middle of a write.
bool IsReplacementTemporary(const std::filesystem::path& name);

// The whole content of a file of at most `limit` bytes; nothing when it cannot be opened or
// read, or is larger than that.
std::optional<std::string> ReadSmallFile(const std::filesystem::path& path, std::size_t limit);
