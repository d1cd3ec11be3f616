// A fresh folder under the temporary folder, removed with everything in it.
#pragma once

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <string>

class TempFolder {
  public:
    TempFolder() {
        static std::atomic<int> counter{0};
        path_ =
            std::filesystem::temp_directory_path() /
            ("rtsim-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder itself (no trailing separator), or a name inside it.
    std::wstring path(const std::wstring& name = L"") const {
        return name.empty() ? path_.wstring() : (path_ / name).wstring();
    }

  private:
    std::filesystem::path path_;
};
