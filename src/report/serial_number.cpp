#include "report/serial_number.h"

namespace {
bool IsControl(wchar_t c) {
    const auto code = static_cast<unsigned>(c);
    return code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x2028 || code == 0x2029;
}
}  // namespace

std::wstring SerialNumberForText(std::wstring_view typed) {
    std::wstring text(typed);
    for (wchar_t& c : text) {
        if (IsControl(c)) {
            c = L' ';
        }
    }
    return text;
}
