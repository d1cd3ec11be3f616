#include "journal_file.h"

#include <string>

namespace tavlo_win {
namespace {

std::wstring WideFromUtf8(std::string_view text) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

}  // namespace

JournalFile::JournalFile(std::string_view utf8Path) {
    if (utf8Path.empty()) {
        return;
    }
    // Append-only access: every write lands at the current end, whoever else has written.
    file_ = OwnFile(CreateFileW(WideFromUtf8(utf8Path).c_str(), FILE_APPEND_DATA,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

void JournalFile::append(std::string_view line) {
    if (!file_) {
        return;
    }
    // One unbuffered write per line: the line is in the file before the next one is written.
    const std::string text = std::string(line) + "\n";
    DWORD written = 0;
    WriteFile(file_.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace tavlo_win
