#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The serial number is written in the ANSI code page of the computer that ran the test, which the
// report does not name: a Japanese Windows writes code page 932, a Western European one 1252, a
// Windows set to use UTF-8 for every language UTF-8.

// A code page serial numbers are read in: the ANSI code pages of Windows, and UTF-8.
struct CodePage {
    unsigned number = 0;       // 932, 1252, 65001 for UTF-8
    std::string name() const;  // "cp932", "utf-8"
    friend bool operator==(const CodePage&, const CodePage&) = default;
};

// The code page a user names: its number ("932"), "cp932", "windows-1252" or "utf-8", in any
// letter case. None when it is none of those, or this system cannot read it.
std::optional<CodePage> CodePageNamed(std::string_view name);
// What CodePageNamed takes, for a help text.
std::string KnownCodePages();

// Text as shown: UTF-8, with a byte that is not text in its code page, a control character, and
// U+FFFE or U+FFFF, as U+FFFD.
struct ShownText {
    std::string utf8;
    CodePage codePage;
    bool replaced = false;  // some bytes were shown as U+FFFD
};

// Bytes in the code page named; with none named, as UTF-8 when they are, and otherwise as
// Windows-1252, the code page of the Western European systems most boards are tested on.
ShownText ShowText(std::string_view bytes, const std::optional<CodePage>& codePage = {});
// Whether ShowText shows the bytes as they are, in any code page: printable ASCII, as most text
// is.
bool ShownAsTheyAre(std::string_view bytes);

// File names between the command line and the file system, as UTF-8 on every system.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);
