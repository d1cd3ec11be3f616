// Serial numbers from Windows of any language, shown as text. The same table runs on Debian
// (glibc's iconv) and under Wine (Windows' own code pages).
#include <gtest/gtest.h>

#include "report_tool/reading/text_encoding.h"

namespace {

struct Serial {
    const char* name;
    const char* codePage;  // as --encoding names it; nullptr for none
    std::string bytes;
    std::string shown;  // UTF-8
    const char* readIn;
    bool replaced;
    friend void PrintTo(const Serial& s, std::ostream* os) { *os << s.name; }
};

// Bytes that are no text in the code page, and control characters, show as U+FFFD.
const std::vector<Serial> kSerials = {
    {"Ascii", nullptr, "SN-4711", "SN-4711", "utf-8", false},
    {"Utf8", nullptr, "SN-\xC3\x9C", "SN-\xC3\x9C", "utf-8", false},
    {"Windows1252", nullptr, "SN-\x80\xDC", "SN-\xE2\x82\xAC\xC3\x9C", "cp1252", false},
    {"UndefinedIn1252", nullptr, "SN\x81", "SN\xEF\xBF\xBD", "cp1252", true},
    {"ControlCharacter", nullptr, "SN\x01-\xC3\x9C", "SN\xEF\xBF\xBD-\xC3\x9C", "utf-8", true},
    {"Japanese", "932", "\x83\x65\x83\x58\x83\x67", "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88", "cp932",
     false},
    {"JapaneseDamaged", "CP932", "\x81 A\x83", "\xEF\xBF\xBD A\xEF\xBF\xBD", "cp932", true},
    {"SimplifiedChinese", "windows-936", "\xD6\xD0\xCE\xC4", "\xE4\xB8\xAD\xE6\x96\x87", "cp936",
     false},
    {"Korean", "949", "\xC7\xD1\xB1\xB9", "\xED\x95\x9C\xEA\xB5\xAD", "cp949", false},
    {"TraditionalChinese", "cp950", "\xA4\xA4\xA4\xE5", "\xE4\xB8\xAD\xE6\x96\x87", "cp950", false},
    {"Cyrillic", "1251", "\xCF\xF0\xE8", "\xD0\x9F\xD1\x80\xD0\xB8", "cp1251", false},
    {"Utf8Named", "65001", "S\xC3", "S\xEF\xBF\xBD", "utf-8", true},
};

class SerialText : public ::testing::TestWithParam<Serial> {};

}  // namespace

TEST_P(SerialText, IsShownInItsCodePage) {
    const Serial& s = GetParam();
    const std::optional<CodePage> codePage =
        s.codePage ? CodePageNamed(s.codePage) : std::optional<CodePage>();
    ASSERT_EQ(codePage.has_value(), s.codePage != nullptr);
    const ShownText shown = ShowText(s.bytes, codePage);
    EXPECT_EQ(shown.utf8, s.shown);
    EXPECT_EQ(shown.codePage.name(), s.readIn);
    EXPECT_EQ(shown.replaced, s.replaced);
}

INSTANTIATE_TEST_SUITE_P(EachWindows, SerialText, ::testing::ValuesIn(kSerials),
                         [](const auto& info) { return std::string(info.param.name); });
