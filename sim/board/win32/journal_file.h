// The journal file, shared with other processes that append their own lines to it.
#pragma once

#include <string_view>

#include "framework/win32/win32_handles.h"

namespace tavlo_win {

class JournalFile {
  public:
    // A UTF-8 path; a file that cannot be opened leaves the journal silent.
    explicit JournalFile(std::string_view utf8Path);
    // Appends the line and a "\n" in one write, at the file's end as it is at that moment.
    void append(std::string_view line);

  private:
    win32::UniqueHandle file_;
};

}  // namespace tavlo_win
