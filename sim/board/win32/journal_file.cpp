#include "journal_file.h"

#include <string>

#include "common/wide_text.h"

namespace tavlo_win {

JournalFile::JournalFile(std::string_view utf8Path) {
    if (utf8Path.empty()) {
        return;
    }
    // Append-only access: every write lands at the current end, whoever else has written.
    file_ = win32::OwnHandle(CreateFileW(sim::WideFromUtf8(utf8Path).c_str(), FILE_APPEND_DATA,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
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
