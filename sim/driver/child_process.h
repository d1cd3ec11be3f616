// A program the driver starts (or one a launcher started, taken over), owned by its process
// handle.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "framework/win32/win32_handles.h"

namespace rtdriver {

class ChildProcess {
  public:
    // Runs `exe` with the command line `"exe"` followed by a blank and `arguments` (nothing when
    // they are empty). On failure returns the reason.
    std::optional<std::wstring> start(const std::wstring& exe, const std::wstring& arguments);
    // Takes over the running process `processId`, which another program started: from now on it
    // is waited for and ended as one this object started. On failure returns the reason.
    std::optional<std::wstring> adopt(DWORD processId);

    bool started() const { return process_ != nullptr; }
    bool running() const;
    DWORD processId() const { return processId_; }
    // The exit code, or nullopt when the program is still running after `milliseconds`.
    std::optional<DWORD> waitExit(DWORD milliseconds) const;
    // Ends the program at once (no-op when it has ended) and forgets it.
    void terminate();
    // Forgets a program that has ended.
    void forget();

  private:
    win32::UniqueHandle process_;
    DWORD processId_ = 0;
};

}  // namespace rtdriver
