#include "report/report_file.h"

#include <atomic>
#include <chrono>
#include <exception>
#include <fstream>
#include <string>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

// Tries at most this many temporary names before giving up on a crowded directory.
constexpr int kMaxNameAttempts = 100;

// Removes the temporary file when the write does not get as far as replacing the target.
class TemporaryFile {
  public:
    explicit TemporaryFile(fs::path path) : path_(std::move(path)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!path_.empty()) {
            std::error_code ignored;
            fs::remove(path_, ignored);
        }
    }
    const fs::path& path() const { return path_; }
    // The file has become the target; nothing is left to remove.
    void release() { path_.clear(); }

  private:
    fs::path path_;
};

// A name beside the target that no file has yet: short ("~rt" and a number), so that it is no
// longer than most targets' own names and a path that fits the system's limit as the target
// fits as the temporary too. The number mixes the clock with a per-process counter, so two
// writers do not pick the same name.
fs::path UnusedTemporaryName(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    const auto ticks = static_cast<unsigned>(
        std::chrono::steady_clock::now().time_since_epoch().count() & 0xFFFFF);
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
        const fs::path candidate =
            target.parent_path() / ("~rt" + std::to_string(ticks + counter++) + ".tmp");
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(candidate, ec);
        if (status.type() == fs::file_type::not_found) {
            return candidate;
        }
    }
    return {};
}

bool WriteWholeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::out | std::ios::trunc);
    if (!file.is_open()) {
        return false;
    }
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.flush();
    file.close();
    return !file.fail();
}

bool WriteReportFileOrThrow(const fs::path& target, std::string_view bytes) {
    if (target.empty() || !target.has_filename()) {
        return false;
    }
    const fs::path tempName = UnusedTemporaryName(target);
    if (tempName.empty()) {
        return false;
    }
    TemporaryFile temp(tempName);
    if (!WriteWholeFile(temp.path(), bytes)) {
        return false;
    }
    std::error_code ec;
    fs::rename(temp.path(), target, ec);
    if (ec) {
        return false;
    }
    temp.release();
    return true;
}

}  // namespace

bool WriteReportFile(const fs::path& target, std::string_view bytes) {
    try {
        return WriteReportFileOrThrow(target, bytes);
    } catch (const std::exception&) {
        // Only memory exhaustion while building names can get here: the report is not written.
        return false;
    }
}
