#pragma once
#include <filesystem>
#include <string>
#include <string_view>

// The serial number is written in the ANSI code page of the computer that ran the test, which the
// report does not name. Shown as text it is taken as UTF-8 when it is valid UTF-8 (plain ASCII
// is), and otherwise as Windows-1252, the code page of the Western European systems the boards
// ship with; bytes that code page leaves undefined become U+FFFD.
std::string SerialAsUtf8(std::string_view bytes);

bool IsValidUtf8(std::string_view bytes);

// File names between the command line and the file system, as UTF-8 on every system.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);
