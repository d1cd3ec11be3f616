#include "file_io.h"

#include <algorithm>

#include "framework/win32/win32_handles.h"

namespace sim {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    const win32::UniqueHandle file =
        win32::OwnHandle(CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    std::string bytes;
    char chunk[65536];
    DWORD read = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0) {
        bytes.append(chunk, read);
    }
    return bytes;
}

bool WriteWholeFile(const std::wstring& path, std::string_view bytes) {
    const std::wstring temporary = path + L".part";
    win32::UniqueHandle file =
        win32::OwnHandle(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    const bool written = WriteAll(file.get(), bytes);
    file.reset();
    if (!written || !MoveFileExW(temporary.c_str(), path.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

bool AppendLine(const std::wstring& path, std::string_view line) {
    // Append-only access puts each write at the end as it is at that moment, whoever else
    // appended before.
    const win32::UniqueHandle file =
        win32::OwnHandle(CreateFileW(path.c_str(), FILE_APPEND_DATA, kShareAll, nullptr,
                                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    const std::string text = std::string(line) + "\n";
    return WriteAll(file.get(), text);
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool MakeFolders(const std::wstring& path) {
    if (path.empty() || IsFolder(path)) {
        return !path.empty();
    }
    const auto slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos && slash > 0) {
        const std::wstring parent = path.substr(0, slash);
        // "C:" and "\\server" roots are not created, only walked past.
        if (parent.back() != L':' && !IsFolder(parent)) {
            MakeFolders(parent);
        }
    }
    return CreateDirectoryW(path.c_str(), nullptr) || IsFolder(path);
}

}  // namespace sim
