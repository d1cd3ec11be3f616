#include "state_file.h"

#include <vector>

#include "win_handles.h"

namespace tavlo_win {
namespace {

std::wstring EnvironmentValue(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) {
        return {};
    }
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

std::wstring ModuleFolder() {
    std::vector<wchar_t> path(32768);
    const DWORD length =
        GetModuleFileNameW(ThisModule(), path.data(), static_cast<DWORD>(path.size()));
    std::wstring module(path.data(), length);
    return module.substr(0, module.find_last_of(L"\\/") + 1);
}

bool WriteAll(HANDLE file, std::string_view text) {
    DWORD written = 0;
    return WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

}  // namespace

std::wstring StateFilePath() {
    std::wstring path = EnvironmentValue(L"TAVLO_STATE");
    return path.empty() ? ModuleFolder() + L"TAVLO.state" : path;
}

std::optional<std::string> ReadStateFile(const std::wstring& path) {
    UniqueFile file = OwnFile(CreateFileW(path.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    std::string text;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0) {
        text.append(chunk, read);
    }
    return text;
}

bool ReplaceStateFile(const std::wstring& path, std::string_view text) {
    const std::wstring temporary = path + L".tmp";
    {
        UniqueFile file = OwnFile(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || !WriteAll(file.get(), text)) {
            file.reset();
            DeleteFileW(temporary.c_str());
            return false;
        }
    }
    if (!MoveFileExW(temporary.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace tavlo_win
