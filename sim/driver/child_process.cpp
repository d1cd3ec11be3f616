#include "child_process.h"

#include <vector>

namespace rtdriver {

std::optional<std::wstring> ChildProcess::start(const std::wstring& exe,
                                                const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) {
        commandLine += L" " + arguments;
    }
    std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
    writable.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return L"cannot start " + exe + L" (error " + std::to_wstring(GetLastError()) + L")";
    }
    CloseHandle(info.hThread);
    process_ = win32::OwnHandle(info.hProcess);
    processId_ = info.dwProcessId;
    return std::nullopt;
}

std::optional<std::wstring> ChildProcess::adopt(DWORD processId) {
    HANDLE process = OpenProcess(
        SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, processId);
    if (process == nullptr) {
        return L"cannot open process " + std::to_wstring(processId) + L" (error " +
               std::to_wstring(GetLastError()) + L")";
    }
    process_ = win32::OwnHandle(process);
    processId_ = processId;
    return std::nullopt;
}

bool ChildProcess::running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ChildProcess::waitExit(DWORD milliseconds) const {
    if (!process_ || WaitForSingleObject(process_.get(), milliseconds) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

void ChildProcess::terminate() {
    if (running()) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 5000);
    }
    forget();
}

void ChildProcess::forget() {
    process_.reset();
    processId_ = 0;
}

}  // namespace rtdriver
