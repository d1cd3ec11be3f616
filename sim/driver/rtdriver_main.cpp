// End-to-end driver: runs a scenario file against rimtrace.exe (format in sim/README.md).
//
//   rtdriver.exe SCENARIO [NAME=VALUE ...]
//
// Exit code 0: every step passed; 1: a step failed (the program was ended); 2: the scenario
// could not be read or parsed, or the command line is wrong (nothing was run).
#include <windows.h>

#include <cstdio>
#include <string>
#include <variant>

#include "common/file_io.h"
#include "common/wide_text.h"
#include "runner.h"
#include "scenario.h"

namespace {

int Usage(const std::string& problem) {
    std::fprintf(stderr, "rtdriver: %s\nusage: rtdriver.exe SCENARIO [NAME=VALUE ...]\n",
                 problem.c_str());
    return 2;
}

std::wstring FolderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".\\") : path.substr(0, slash + 1);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // In real pixels, as the program (DPI aware by its manifest) sees them: screenshot areas,
    // mouse positions and the fonts the text-fit check measures with.
    SetProcessDPIAware();
    if (argc < 2) {
        return Usage("no scenario given");
    }
    const std::wstring scenarioPath = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::wstring assignment = argv[i];
        const auto equals = assignment.find(L'=');
        if (equals == std::wstring::npos || equals == 0) {
            return Usage(std::string("\"") + sim::Utf8FromWide(assignment) +
                         "\" is not NAME=VALUE");
        }
        SetEnvironmentVariableW(assignment.substr(0, equals).c_str(),
                                assignment.substr(equals + 1).c_str());
    }
    const std::wstring folder = sim::ModuleFolder(nullptr);
    SetEnvironmentVariableW(L"RTDRIVER_DIR", folder.c_str());
    SetEnvironmentVariableW(L"RTDRIVER_SCENARIO_DIR", FolderOf(scenarioPath).c_str());

    const auto text = sim::ReadWholeFile(scenarioPath);
    if (!text) {
        return Usage("cannot read " + sim::Utf8FromWide(scenarioPath));
    }
    auto parsed = rtdriver::ParseScenario(*text);
    if (const auto* error = std::get_if<rtdriver::ScenarioError>(&parsed)) {
        return Usage(sim::Utf8FromWide(scenarioPath) + ":" + std::to_string(error->line) + ": " +
                     error->message);
    }
    rtdriver::Runner runner(folder);
    return runner.run(std::get<std::vector<rtdriver::Step>>(parsed));
}
