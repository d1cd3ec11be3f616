#include "framework/command_line.h"

#include <cstdint>

namespace fw {
namespace {
// Blanks and control characters separate the program name from its arguments.
bool IsSeparator(wchar_t c) {
    return static_cast<std::uint32_t>(c) <= 0x20;
}
}  // namespace

std::wstring_view ArgumentsAfterProgramName(std::wstring_view commandLine) {
    std::size_t i = 0;
    bool quoted = false;
    // Quotes only group: a blank inside them belongs to the program name.
    while (i < commandLine.size() && (quoted || !IsSeparator(commandLine[i]))) {
        if (commandLine[i] == L'"') {
            quoted = !quoted;
        }
        ++i;
    }
    while (i < commandLine.size() && IsSeparator(commandLine[i])) {
        ++i;
    }
    return commandLine.substr(i);
}

}  // namespace fw
