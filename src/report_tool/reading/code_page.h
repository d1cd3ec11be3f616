#pragma once
#include <optional>
#include <string>
#include <string_view>

// Bytes in a Windows code page as characters: the one call each system makes its own way, with
// glibc's iconv on Debian and MultiByteToWideChar on Windows.
namespace code_page {

// Whether this system reads code page `number` (932, 1252, 65001 for UTF-8, ...).
bool Readable(unsigned number);

struct Decoded {
    std::u32string characters;
    bool invalid = false;  // some bytes started no character of the code page
};

// The characters of `bytes`. A byte that starts no character of the code page (or only one cut
// short by the end) becomes U+FFFD, and reading goes on at the next byte. None when the system
// cannot read the code page.
std::optional<Decoded> Decode(unsigned number, std::string_view bytes);

}  // namespace code_page
