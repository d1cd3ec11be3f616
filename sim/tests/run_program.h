// Starting the built programs beside the test binary.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "common/wide_text.h"
#include "framework/win32/win32_handles.h"

class RunningProgram {
  public:
    // `name` from the test binary's folder, with `arguments` after its quoted path.
    RunningProgram(const std::wstring& name, const std::wstring& arguments) {
        const std::wstring exe = sim::ModuleFolder(nullptr) + name;
        std::wstring line = L"\"" + exe + L"\" " + arguments;
        std::vector<wchar_t> writable(line.begin(), line.end());
        writable.push_back(L'\0');
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (CreateProcessW(exe.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &info)) {
            CloseHandle(info.hThread);
            process_ = win32::OwnHandle(info.hProcess);
            id_ = info.dwProcessId;
        }
    }
    ~RunningProgram() {
        if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.get(), 99);
            WaitForSingleObject(process_.get(), 5000);
        }
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD id() const { return id_; }
    // The exit code, or nullopt while it runs on after `milliseconds`.
    std::optional<DWORD> exitCode(DWORD milliseconds) const {
        if (!process_ || WaitForSingleObject(process_.get(), milliseconds) != WAIT_OBJECT_0) {
            return std::nullopt;
        }
        DWORD code = 0;
        GetExitCodeProcess(process_.get(), &code);
        return code;
    }

  private:
    win32::UniqueHandle process_;
    DWORD id_ = 0;
};
