// rimtrace-report: the support side's reader of rimtrace's reports.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "report_tool/commands.h"
#include "report_tool/reading/text_encoding.h"

#ifdef _WIN32
// Wide arguments, so that report names outside the ANSI code page arrive whole.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(PathToUtf8(std::filesystem::path(argv[i])));
    }
    return RunCommandLine(args, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
    return RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
#endif
