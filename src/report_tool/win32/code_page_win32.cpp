// Code pages through Windows' own tables.
#include "framework/win32/win32_api.h"

#include <algorithm>
#include <string>

#include "report_tool/reading/code_page.h"

namespace {

// The bytes of the character that starts with `lead`, as the code page spells it.
std::size_t CharacterLength(unsigned number, unsigned char lead) {
    if (number == CP_UTF8) {
        return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    }
    return IsDBCSLeadByteEx(number, lead) ? 2 : 1;
}

// Appends the characters of the bytes; false, and nothing appended, when any byte is no text.
bool AppendDecoded(unsigned number, std::string_view bytes, std::u32string& out) {
    const int size = static_cast<int>(bytes.size());
    const int length =
        MultiByteToWideChar(number, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0) {
        return false;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(number, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), length);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const char32_t unit = wide[i];
        const bool pair = unit >= 0xD800 && unit < 0xDC00 && i + 1 < wide.size() &&
                          wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000;
        out += pair ? 0x10000 + ((unit - 0xD800) << 10) + (wide[++i] - 0xDC00) : unit;
    }
    return true;
}

}  // namespace

namespace code_page {

bool Readable(unsigned number) {
    return IsValidCodePage(number) != 0;
}

std::optional<Decoded> Decode(unsigned number, std::string_view bytes) {
    if (!Readable(number)) {
        return std::nullopt;
    }
    Decoded out;
    if (bytes.empty() || AppendDecoded(number, bytes, out.characters)) {
        return out;
    }
    // Some bytes are no text: a character at a time, so that only they become U+FFFD.
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = std::min(
            CharacterLength(number, static_cast<unsigned char>(bytes[i])), bytes.size() - i);
        if (AppendDecoded(number, bytes.substr(i, length), out.characters)) {
            i += length;
        } else {
            out.characters += U'\uFFFD';
            out.invalid = true;
            ++i;
        }
    }
    return out;
}

}  // namespace code_page
