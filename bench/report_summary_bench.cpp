// rimtrace-report summary over a folder of 10 000 reports, against reading the same files' bytes
// and nothing else. The goal: the summary at least 0.3 times as fast as the raw read (the
// bytes_per_second counters of the two side by side). Both in wall-clock time: the summary shares
// the reports out over the cores.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "report_tool/commands.h"
#include "support/generated_report.h"

namespace {

constexpr int kReports = 10000;

struct ReportFolder {
    std::filesystem::path path;
    std::vector<std::filesystem::path> files;
    std::int64_t bytes = 0;

    ReportFolder() : path(std::filesystem::temp_directory_path() / "rimtrace-summary-bench") {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
        for (int i = 0; i < kReports; ++i) {
            const std::string report = GenerateTest(static_cast<std::uint32_t>(i)).reportBytes();
            files.push_back(path / ("LMEdgeReport_" + std::to_string(i) + ".pts"));
            std::ofstream(files.back(), std::ios::binary) << report;
            bytes += static_cast<std::int64_t>(report.size());
        }
    }
    ~ReportFolder() { std::filesystem::remove_all(path); }
};

const ReportFolder& Folder() {
    static const ReportFolder folder;
    return folder;
}

void BM_ReadReportsRaw(benchmark::State& state) {
    const ReportFolder& folder = Folder();
    std::vector<char> buffer(1 << 16);
    for (auto _ : state) {
        std::int64_t total = 0;
        for (const auto& file : folder.files) {
            std::ifstream in(file, std::ios::binary);
            while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) ||
                   in.gcount() > 0) {
                total += in.gcount();
            }
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(state.iterations() * folder.bytes);
}
BENCHMARK(BM_ReadReportsRaw)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SummaryOfReports(benchmark::State& state) {
    const ReportFolder& folder = Folder();
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        const int code = RunSummary({folder.path.string()}, "", false, {}, out, err);
        if (code != exit_code::kOk) {
            state.SkipWithError("summary failed");
        }
        benchmark::DoNotOptimize(out.str().size());
    }
    state.SetBytesProcessed(state.iterations() * folder.bytes);
}
BENCHMARK(BM_SummaryOfReports)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
