// Finding processes the driver did not start, by the name of their program file.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace rtdriver {

// The ids of the running processes whose program file is named `exeName` (e.g. "rimtrace.exe",
// compared without regard to case), in the system's order.
std::vector<DWORD> ProcessesNamed(const std::wstring& exeName);

}  // namespace rtdriver
