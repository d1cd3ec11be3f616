#include "run_folder.h"

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

namespace {
constexpr std::string_view kOldFileText = "an older file of the same name\n";
constexpr std::string_view kBlockerText = "not a folder\n";

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteText(const fs::path& path, std::string_view text) {
    std::ofstream(path, std::ios::binary) << text;
}
}  // namespace

RunFolder::RunFolder(std::uint64_t seed) {
    std::ostringstream name;
    name << "rimtrace-seq-" << ::getpid() << '-' << std::hex << seed;
    root_ = fs::temp_directory_path() / name.str();
    fs::remove_all(root_);
    fs::create_directories(out());
    fs::create_directories(folderAsName());
    WriteText(blocker(), kBlockerText);
    previousWorkingDirectory_ = fs::current_path();
    fs::current_path(root_);
}

RunFolder::~RunFolder() {
    std::error_code ignored;
    fs::current_path(previousWorkingDirectory_, ignored);
    fs::remove_all(root_, ignored);
}

std::wstring RunFolder::exePath() const {
    return (root_ / "bin").wstring() + L"\\rimtrace.exe";
}

void RunFolder::makeDocuments() const {
    fs::create_directories(documents());
}

void RunFolder::placeOldFile(const fs::path& path) const {
    WriteText(path, kOldFileText);
}

std::vector<fs::path> RunFolder::producedFiles() const {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(root_)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const std::string text = Contents(entry.path());
        if (text != kOldFileText && text != kBlockerText) {
            files.push_back(entry.path());
        }
    }
    return files;
}
