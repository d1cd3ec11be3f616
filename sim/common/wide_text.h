// UTF-8 and UTF-16 text, the environment and module folders, for the stand-ins (TAVLO.dll's host
// among them) and the driver.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace sim {

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

// Unset and empty are the same: nullopt.
std::optional<std::wstring> EnvironmentValue(const wchar_t* name);

// The folder that holds `module` (null: the program), with a trailing backslash.
std::wstring ModuleFolder(HMODULE module);
// The program or DLL this is linked into: every image that links the library has its own copy.
HMODULE ThisModule();

}  // namespace sim
