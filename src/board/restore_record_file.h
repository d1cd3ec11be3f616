#pragma once
#include <filesystem>
#include <string>

#include "board/restore_record.h"

// The restore record on disk. Its folder is the one the environment variable
// RIMTRACE_RESTORE_DIR names, else "rimtrace" in the user's local application-data folder.
class RestoreRecordFile {
  public:
    // The record at its usual place; a file with no path when the user has no such folder, in
    // which case nothing is ever stored.
    static RestoreRecordFile AtUsualPlace();
    explicit RestoreRecordFile(std::filesystem::path path) : path_(std::move(path)) {}

    const std::filesystem::path& path() const { return path_; }

    enum class State { Absent, Present, Unreadable };
    struct Loaded {
        State state = State::Absent;
        RestoreRecord record;
    };
    Loaded load() const;
    // Stores the record whole and durably, or removes the file when there is nothing to restore.
    bool store(const RestoreRecord& record) const;
    bool remove() const;
    // Moves an unreadable record out of the way under a name of its own beside it, so the next run
    // starts clean and the file can still be looked at; that name, or an empty path when it could
    // not be moved.
    std::filesystem::path setAside(const std::wstring& stamp) const;

  private:
    std::filesystem::path path_;
};

inline constexpr wchar_t kRestoreDirVariable[] = L"RIMTRACE_RESTORE_DIR";
inline constexpr wchar_t kRestoreRecordName[] = L"restore-record.txt";
