#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

// Files and their contents.
using FileSnapshot = std::map<std::filesystem::path, std::string>;

// The file system one sequence may touch: a fresh folder that is also the working directory
// while the sequence runs (relative report names land in it), with the places the report names
// point at. Removed, and the working directory given back, when the sequence ends.
class RunFolder {
  public:
    explicit RunFolder(std::uint64_t seed);
    ~RunFolder();
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    const std::filesystem::path& root() const { return root_; }
    // A folder that exists and takes files.
    std::filesystem::path out() const { return root_ / "out"; }
    // Where the Documents folder is when it exists.
    std::filesystem::path documents() const { return root_ / "docs"; }
    // A regular file, so no path can go through it.
    std::filesystem::path blocker() const { return root_ / "blocker"; }
    // An existing folder, so no file can take its name.
    std::filesystem::path folderAsName() const { return root_ / "taken"; }
    // The program's folder as a Windows path, so the default report name lands in the run folder.
    std::wstring exePath() const { return (root_ / "bin").wstring() + L"\\rimtrace.exe"; }
    // The user's files the report never goes to: the local application-data folder and the
    // folder the restore record's environment variable names.
    std::filesystem::path system() const { return root_ / "system"; }
    std::filesystem::path localAppData() const { return system() / "local"; }
    std::filesystem::path restoreDir() const { return system() / "restore"; }

    // A file that a report may replace; it does not count as a report while it is unchanged.
    void placeOldFile(const std::filesystem::path& path) const;
    // Every file outside the user's system folders, with its contents.
    FileSnapshot snapshot() const;
    // Every regular file outside the system folders the program made, or changed since
    // `before` was taken.
    std::vector<std::filesystem::path> producedFiles(const FileSnapshot& before) const;
    // Every file under the system folders, with its contents.
    FileSnapshot systemFiles() const;
    // Puts the system folders back as `files` has them, and nothing else in them.
    void restoreSystemFiles(const FileSnapshot& files) const;

  private:
    std::filesystem::path root_;
    std::filesystem::path previousWorkingDirectory_;
};
