#pragma once
#include <string_view>

namespace fw {

// The arguments part of a full Windows command line, as the C runtime hands it to WinMain:
// the program name (quoted or not) is skipped, then the blanks after it; whatever follows,
// trailing blanks included, is kept unchanged.
std::wstring_view ArgumentsAfterProgramName(std::wstring_view commandLine);

}  // namespace fw
