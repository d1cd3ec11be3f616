#include "board/restore_record_file.h"

#include <system_error>

#include "framework/file_replace.h"
#include "framework/platform.h"

namespace fs = std::filesystem;

namespace {

// A wide path as the file system's path; empty where the system's narrow encoding cannot hold
// it (only possible off Windows, where paths are narrow).
fs::path FileSystemPath(const std::wstring& path) {
    try {
        return fs::path(path);
    } catch (const std::exception&) {
        return {};
    }
}

fs::path RecordFolder() {
    fw::Platform& platform = fw::CurrentPlatform();
    const auto chosen = platform.environmentVariable(kRestoreDirVariable);
    if (chosen && !chosen->empty()) {
        return FileSystemPath(*chosen);
    }
    const std::wstring local = platform.localAppDataFolder();
    if (local.empty()) {
        return {};
    }
    const fs::path base = FileSystemPath(local);
    return base.empty() ? fs::path() : base / "rimtrace";
}

}  // namespace

RestoreRecordFile RestoreRecordFile::AtUsualPlace() {
    const fs::path folder = RecordFolder();
    return RestoreRecordFile(folder.empty() ? fs::path() : folder / kRestoreRecordName);
}

RestoreRecordFile::Loaded RestoreRecordFile::load() const {
    std::error_code ec;
    if (path_.empty() || !fs::exists(path_, ec)) {
        return {};
    }
    const auto text = ReadSmallFile(path_, kMaxRestoreRecordBytes);
    const auto record = text ? ParseRestoreRecord(*text) : std::nullopt;
    if (!record) {
        return {State::Unreadable, {}};
    }
    return {State::Present, *record};
}

bool RestoreRecordFile::store(const RestoreRecord& record) const {
    if (record.empty()) {
        return remove();
    }
    if (path_.empty()) {
        return false;
    }
    std::error_code ec;
    fs::create_directories(path_.parent_path(), ec);
    return WriteFileDurably(path_, FormatRestoreRecord(record));
}

bool RestoreRecordFile::remove() const {
    if (path_.empty()) {
        return true;
    }
    std::error_code ec;
    fs::remove(path_, ec);
    return !ec;
}

fs::path RestoreRecordFile::setAside(const std::wstring& stamp) const {
    fs::path aside = path_;
    aside.replace_filename(FileSystemPath(L"restore-record.unreadable-" + stamp + L".txt"));
    std::error_code ec;
    fs::rename(path_, aside, ec);
    return ec ? fs::path() : aside;
}
