#include "outbox_folder.h"

#include <cwchar>

#include "common/file_io.h"
#include "common/wide_text.h"
#include "framework/win32/win32_handles.h"

namespace outbox {
namespace {

std::wstring FolderPath() {
    std::wstring folder = sim::EnvironmentValue(L"RIMTRACE_OUTBOX")
                              .value_or(sim::ModuleFolder(sim::ThisModule()) + L"outbox");
    while (folder.size() > 1 && (folder.back() == L'\\' || folder.back() == L'/')) {
        folder.pop_back();
    }
    sim::MakeFolders(folder);
    return folder + L"\\";
}

}  // namespace

std::wstring MessageStem(int number) {
    wchar_t stem[32];
    std::swprintf(stem, 32, L"message-%03d", number);
    return stem;
}

OutboxFolder::OutboxFolder() : folder_(FolderPath()) {}

void OutboxFolder::log(std::string_view line) const {
    sim::AppendLine(folder_ + L"outbox.log", line);
}

std::optional<int> OutboxFolder::claimNumber() const {
    for (int number = 1; number < 1000000; ++number) {
        const std::wstring path = folder_ + MessageStem(number) + L".txt";
        const win32::UniqueHandle file = win32::OwnHandle(CreateFileW(
            path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            return number;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

bool OutboxFolder::write(const std::wstring& name, std::string_view bytes) const {
    return sim::WriteWholeFile(folder_ + name, bytes);
}

bool OutboxFolder::copyIn(const std::wstring& source, const std::wstring& name) const {
    return CopyFileW(source.c_str(), (folder_ + name).c_str(), FALSE) != 0;
}

}  // namespace outbox
