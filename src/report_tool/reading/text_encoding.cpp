#include "report_tool/reading/text_encoding.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "report_tool/reading/code_page.h"

namespace {

constexpr unsigned kUtf8 = 65001;
constexpr unsigned kWindows1252 = 1252;
// The ANSI code pages of Windows: Thai; Japanese, Simplified Chinese, Korean, Traditional Chinese;
// Central European, Cyrillic, Western European, Greek, Turkish, Hebrew, Arabic, Baltic,
// Vietnamese.
constexpr std::array<unsigned, 14> kAnsiCodePages = {874,  932,  936,  949,  950,  1250, 1251,
                                                     1252, 1253, 1254, 1255, 1256, 1257, 1258};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// C0, DEL and C1: nothing to show, and a line break or worse where text goes; U+FFFE and U+FFFF,
// no characters at all, which a page (XML) may not hold either.
bool IsUnshowable(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0xFFFE || c == 0xFFFF;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    });
    return lower;
}

ShownText Shown(const code_page::Decoded& decoded, unsigned number) {
    ShownText shown{{}, {number}, decoded.invalid};
    for (char32_t c : decoded.characters) {
        const bool unshowable = IsUnshowable(c);
        shown.replaced = shown.replaced || unshowable;
        AppendUtf8(shown.utf8, unshowable ? U'\uFFFD' : c);
    }
    return shown;
}

}  // namespace

std::string CodePage::name() const {
    return number == kUtf8 ? "utf-8" : "cp" + std::to_string(number);
}

std::optional<CodePage> CodePageNamed(std::string_view name) {
    const std::string lower = Lower(name);
    if (lower == "utf-8" || lower == "utf8") {
        return CodePage{kUtf8};
    }
    std::string_view digits = lower;
    for (std::string_view prefix : {"cp", "windows-"}) {
        if (digits.starts_with(prefix)) {
            digits.remove_prefix(prefix.size());
            break;
        }
    }
    unsigned number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    const bool known = error == std::errc() && end == digits.data() + digits.size() &&
                       (number == kUtf8 || std::find(kAnsiCodePages.begin(), kAnsiCodePages.end(),
                                                     number) != kAnsiCodePages.end());
    if (!known || !code_page::Readable(number)) {
        return std::nullopt;
    }
    return CodePage{number};
}

std::string KnownCodePages() {
    std::string known;
    for (unsigned number : kAnsiCodePages) {
        known += std::to_string(number) + ", ";
    }
    return known + "or 65001 (UTF-8), as a number, cp932, windows-1252 or utf-8";
}

bool ShownAsTheyAre(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

ShownText ShowText(std::string_view bytes, const std::optional<CodePage>& codePage) {
    if (ShownAsTheyAre(bytes)) {
        // The same in every code page, and most text is.
        return {std::string(bytes), codePage.value_or(CodePage{kUtf8}), false};
    }
    unsigned number = codePage ? codePage->number : kUtf8;
    std::optional<code_page::Decoded> decoded = code_page::Decode(number, bytes);
    if (!codePage && (!decoded || decoded->invalid)) {
        number = kWindows1252;
        decoded = code_page::Decode(number, bytes);
    }
    if (!decoded) {
        // A system that cannot read the code page at all: what is ASCII still shows.
        decoded.emplace();
        for (char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            decoded->characters += byte < 0x80 ? char32_t{byte} : U'\uFFFD';
            decoded->invalid = decoded->invalid || byte >= 0x80;
        }
    }
    return Shown(*decoded, number);
}

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathToUtf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}
