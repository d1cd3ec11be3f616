#include "framework/file_replace.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <io.h>  // _commit: the C runtime's flush to the disk
#else
#include <unistd.h>  // fsync
#endif

namespace fs = std::filesystem;

namespace {

// Tries at most this many temporary names before giving up on a crowded directory.
constexpr int kMaxNameAttempts = 100;
constexpr std::string_view kTemporaryPrefix = "~rt";
constexpr std::string_view kTemporarySuffix = ".tmp";

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
        const fs::path candidate = target.parent_path() / (std::string(kTemporaryPrefix) +
                                                           std::to_string(ticks + counter++) +
                                                           std::string(kTemporarySuffix));
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(candidate, ec);
        if (status.type() == fs::file_type::not_found) {
            return candidate;
        }
    }
    return {};
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using OpenFile = std::unique_ptr<std::FILE, FileCloser>;

OpenFile OpenForWriting(const fs::path& path) {
#ifdef _WIN32
    return OpenFile(_wfopen(path.c_str(), L"wb"));
#else
    return OpenFile(std::fopen(path.c_str(), "wb"));
#endif
}

// Down to the disk, not only to the system's cache: the rename that follows must never publish a
// file whose bytes a power loss could still take back.
bool FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) {
        return false;
    }
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

bool WriteWholeFile(const fs::path& path, std::string_view bytes) {
    OpenFile file = OpenForWriting(path);
    if (!file) {
        return false;
    }
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        return false;
    }
    if (!FlushToDisk(file.get())) {
        return false;
    }
    return std::fclose(file.release()) == 0;
}

bool WriteFileDurablyOrThrow(const fs::path& target, std::string_view bytes) {
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

bool WriteFileDurably(const fs::path& target, std::string_view bytes) {
    try {
        return WriteFileDurablyOrThrow(target, bytes);
    } catch (const std::exception&) {
        // Only memory exhaustion while building names can get here: the file is not written.
        return false;
    }
}

bool IsReplacementTemporary(const fs::path& name) {
    const std::u8string name8 = name.filename().u8string();
    const std::string text(name8.begin(), name8.end());
    if (!text.starts_with(kTemporaryPrefix) || !text.ends_with(kTemporarySuffix)) {
        return false;
    }
    const std::string_view digits = std::string_view(text).substr(
        kTemporaryPrefix.size(), text.size() - kTemporaryPrefix.size() - kTemporarySuffix.size());
    return !digits.empty() &&
           std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<std::string> ReadSmallFile(const fs::path& path, std::size_t limit) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        return std::nullopt;
    }
    std::string bytes;
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    if (!error && size <= limit) {
        bytes.reserve(static_cast<std::size_t>(size));  // a file that grows meanwhile still fits
    }
    std::array<char, 1 << 16> buffer;
    while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0) {
        const auto got = static_cast<std::size_t>(in.gcount());
        if (bytes.size() + got > limit) {
            return std::nullopt;
        }
        bytes.append(buffer.data(), got);
    }
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}
