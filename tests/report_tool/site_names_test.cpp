// The site's file names: whatever a serial number or a path says, a name that stays in its folder,
// is valid on every file system and belongs to that text alone; and only such names are the
// site's to remove.
#include <gtest/gtest.h>

#include <regex>

#include "report_tool/site/page_names.h"

TEST(SitePageNames, KeepTheReadableLettersOfAnyTextAndStayInTheirFolder) {
    const std::pair<std::string, std::string> cases[] = {
        {"SN-4711", "sn-4711"},
        {"..\\..\\x", "x"},
        {"../../etc/passwd", "etc-passwd"},
        {"CON", "con"},
        {"COM1", "com1"},
        {"trailing. ", "trailing"},
        {"a:b/c\\d", "a-b-c-d"},
        {"A_b\tc", "a_b-c"},
        {std::string(300, 'X'), std::string(40, 'x')},
        {"\x01\xff<\"&>\x7f", "board"},
        {"", "board"},
        {"\xE6\x97\xA5-7", "7"}};
    const std::regex name("boards/([a-z0-9_-]{0,40})-[0-9a-f]{16}\\.html");
    for (const auto& [serial, readable] : cases) {
        const std::string page = BoardPageName(serial);
        std::smatch parts;
        ASSERT_TRUE(std::regex_match(page, parts, name)) << page;
        EXPECT_EQ(parts[1], readable);
        EXPECT_TRUE(IsSiteFileName(page));
    }
    EXPECT_TRUE(
        ReportPageName("/home/a/LMEdgeReport_5-3.pts").starts_with("reports/lmedgereport_5-3-"));
}

TEST(SitePageNames, TextsThatDifferInAnyByteOrOnlyInLetterCaseNeverShareAName) {
    EXPECT_NE(BoardPageName("AbC"), BoardPageName("abc"));
    EXPECT_NE(BoardPageName("\xDC"), BoardPageName("\xC3\x9C"));  // the same letter, two code pages
    EXPECT_NE(ReportPageName("/a/one/same.pts"), ReportPageName("/a/two/same.pts"));
    EXPECT_EQ(BoardPageName("SN-1"), BoardPageName("SN-1"));
}

TEST(SitePageNames, OnlyNamesTheSiteMakesAreItsOwn) {
    for (const char* own : {"index.html", "site.css", "site.js", "reports/x-0123456789abcdef.html",
                            "boards/board-0123456789abcdef.html"}) {
        EXPECT_TRUE(IsSiteFileName(own)) << own;
    }
    for (const char* other :
         {"rimtrace-site.manifest", "rimtrace-site.pending", "notes.txt", "",
          "../x-0123456789abcdef.html", "reports/../../x-0123456789abcdef.html",
          "reports/sub/x-0123456789abcdef.html", "reports/X-0123456789abcdef.html",
          "reports/x-0123456789ABCDEF.html", "reports/x-0123456789abcde.html",
          "reports/x_0123456789abcdef.html", "reports/x-0123456789abcdef.htm",
          "/reports/x-0123456789abcdef.html",
          "reports/xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx-0123456789abcdef.html"}) {
        EXPECT_FALSE(IsSiteFileName(other)) << other;
    }
}
