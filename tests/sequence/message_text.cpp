#include "message_text.h"

std::string Narrow(std::wstring_view text) {
    std::string out;
    for (wchar_t c : text) {
        out.push_back(static_cast<unsigned>(c) < 128 ? static_cast<char>(c) : '?');
    }
    return out;
}

std::wstring WithoutLineBreaks(std::wstring_view text) {
    std::wstring flat;
    for (wchar_t c : text) {
        if (c != L'\n') {
            flat.push_back(c);
        }
    }
    return flat;
}

std::wstring FileNameOf(std::wstring_view path) {
    const std::size_t slash = path.find_last_of(L"\\/:");
    return std::wstring(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
}
