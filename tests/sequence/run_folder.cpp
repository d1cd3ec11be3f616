#include "run_folder.h"

#include <unistd.h>

#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {
constexpr std::string_view kOldFileText = "an older file of the same name\n";
constexpr std::string_view kBlockerText = "not a folder\n";

void WriteText(const fs::path& path, std::string_view text) {
    std::ofstream(path, std::ios::binary) << text;
}

FileSnapshot FilesUnder(const fs::path& folder, const fs::path& skipped) {
    FileSnapshot files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec); it != fs::end(it); ++it) {
        if (it->path() == skipped) {
            it.disable_recursion_pending();
        } else if (it->is_regular_file()) {
            std::ifstream in(it->path(), std::ios::binary);
            files[it->path()] = {std::istreambuf_iterator<char>(in), {}};
        }
    }
    return files;
}
}  // namespace

RunFolder::RunFolder(std::uint64_t seed)
    : root_(fs::temp_directory_path() /
            ("rimtrace-seq-" + std::to_string(::getpid()) + "-" + std::to_string(seed))),
      previousWorkingDirectory_(fs::current_path()) {
    fs::remove_all(root_);
    fs::create_directories(out());
    fs::create_directories(folderAsName());
    WriteText(blocker(), kBlockerText);
    fs::current_path(root_);
}

RunFolder::~RunFolder() {
    std::error_code ignored;
    fs::current_path(previousWorkingDirectory_, ignored);
    fs::remove_all(root_, ignored);
}

void RunFolder::placeOldFile(const fs::path& path) const {
    WriteText(path, kOldFileText);
}

FileSnapshot RunFolder::snapshot() const {
    return FilesUnder(root_, system());
}

std::vector<fs::path> RunFolder::producedFiles(const FileSnapshot& before) const {
    std::vector<fs::path> files;
    for (const auto& [path, text] : snapshot()) {
        const auto earlier = before.find(path);
        const bool unchanged = earlier != before.end() && earlier->second == text;
        if (!unchanged && text != kOldFileText && text != kBlockerText) {
            files.push_back(path);
        }
    }
    return files;
}

FileSnapshot RunFolder::systemFiles() const {
    return FilesUnder(system(), {});
}

void RunFolder::restoreSystemFiles(const FileSnapshot& files) const {
    fs::remove_all(system());
    for (const auto& [path, text] : files) {
        fs::create_directories(path.parent_path());
        WriteText(path, text);
    }
}
