// Writes generated reports into a folder, as the program's writer makes them from traces that
// follow its rules: for the site's benchmark and for trying rimtrace-report on many reports.
//
//   rimtrace_generate_reports FOLDER COUNT [--first SEED] [--boards N]
//
// Report i (from SEED on) is LMEdgeReport_<i>.pts; with --boards its serial number is one of N
// ("SN-0" ...), so that each board has many visits.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <fstream>
#include <iostream>

#include "support/generated_report.h"

int main(int argc, char** argv) {
    CLI::App app{"Writes generated rimtrace reports into a folder."};
    std::string folder;
    std::uint32_t count = 0;
    std::uint32_t first = 0;
    std::uint32_t boards = 0;
    app.add_option("FOLDER", folder)->required();
    app.add_option("COUNT", count)->required();
    app.add_option("--first", first, "the first report's seed");
    app.add_option("--boards", boards, "serial numbers SN-0 ... SN-(N-1), one per report in turn");
    CLI11_PARSE(app, argc, argv);

    std::filesystem::create_directories(folder);
    for (std::uint32_t seed = first; seed < first + count; ++seed) {
        GeneratedTest test = GenerateTest(seed);
        if (boards > 0) {
            test.serialNumber = "SN-" + std::to_string(seed % boards);
        }
        const auto path =
            std::filesystem::path(folder) / ("LMEdgeReport_" + std::to_string(seed) + ".pts");
        std::ofstream out(path, std::ios::binary);
        out << test.reportBytes();
        if (!out.flush()) {
            std::cerr << path.string() << ": cannot be written\n";
            return 1;
        }
    }
    return 0;
}
