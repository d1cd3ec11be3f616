#include "report_tool/reading/byte_source.h"

#include <algorithm>
#include <cstring>
#include <system_error>

std::size_t MemorySource::read(char* into, std::size_t size) {
    const std::size_t n = std::min(size, rest_.size());
    std::memcpy(into, rest_.data(), n);
    rest_.remove_prefix(n);
    return n;
}

FileSource::FileSource(const std::filesystem::path& path) {
    std::error_code error;
    // Systems differ in whether a folder opens as a file; it never is one.
    if (std::filesystem::is_directory(path, error)) {
        openError_ = "it is a folder";
        return;
    }
    file_.open(path, std::ios::binary);
    if (!file_.is_open()) {
        openError_ = std::filesystem::exists(path, error) ? "it cannot be opened for reading"
                                                          : "no such file";
    }
}

std::size_t FileSource::read(char* into, std::size_t size) {
    if (!file_.is_open()) {
        return 0;
    }
    file_.read(into, static_cast<std::streamsize>(size));
    return static_cast<std::size_t>(file_.gcount());
}
