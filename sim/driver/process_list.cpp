#include "process_list.h"

#include <tlhelp32.h>

#include "framework/win32/win32_handles.h"

namespace rtdriver {

std::vector<DWORD> ProcessesNamed(const std::wstring& exeName) {
    std::vector<DWORD> found;
    const win32::UniqueHandle snapshot =
        win32::OwnHandle(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        return found;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (CompareStringOrdinal(entry.szExeFile, -1, exeName.c_str(), -1, TRUE) == CSTR_EQUAL) {
            found.push_back(entry.th32ProcessID);
        }
    }
    return found;
}

}  // namespace rtdriver
