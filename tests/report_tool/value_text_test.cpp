// The values of a report, read only in the exact spelling the program writes.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>

#include "report_tool/reading/value_text.h"

TEST(NumberText, WholeNumbersHaveNoSignBlanksOrLeadingZeros) {
    EXPECT_EQ(ParseReportUnsigned("0"), 0u);
    EXPECT_EQ(ParseReportUnsigned("4294967295"), 4294967295u);
    for (const char* bad : {"", "-1", "+1", "01", " 1", "1 ", "4294967296", "1e3", "0x10"}) {
        EXPECT_FALSE(ParseReportUnsigned(bad)) << bad;
    }
    EXPECT_EQ(ParseReportSigned("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseReportSigned("2147483647"), 2147483647);
    for (const char* bad : {"-0", "--1", "-", "2147483648", "-2147483649", "-01"}) {
        EXPECT_FALSE(ParseReportSigned(bad)) << bad;
    }
}

TEST(NumberText, AveragesMustBeSpelledAsTheProgramSpellsThem) {
    EXPECT_EQ(ParseReportFloat("22.1429"), 22.1429f);
    EXPECT_EQ(ParseReportFloat("2048"), 2048.0f);
    EXPECT_EQ(ParseReportFloat("1e-005"), 1e-5f);
    EXPECT_EQ(ParseReportFloat("1.23457e+010"), 1.23457e10f);
    EXPECT_EQ(ParseReportFloat("-inf"), -INFINITY);
    EXPECT_TRUE(std::isnan(*ParseReportFloat("nan")));
    for (const char* bad : {"22.14290", "2048.", "2048.0", "1e-05", "1e-5", "+1", "-nan", "NaN",
                            "infinity", "22,1", "", " 1", "0.0001234567"}) {
        EXPECT_FALSE(ParseReportFloat(bad)) << bad;
    }
}

TEST(NumberText, PointsAreTwoSignedNumbersAndNothingElse) {
    EXPECT_EQ(ParseReportPoint("-3,4095"), (BoardPoint{-3, 4095}));
    for (const char* bad : {"1,2,3", "1;2", "1, 2", ",2", "1,", "1", "-0,5", "5,-0", "01,5"}) {
        EXPECT_FALSE(ParseReportPoint(bad)) << bad;
    }
}

TEST(NumberText, DatesAreRealCalendarDates) {
    const auto t = ParseReportDate("1/1/2008 0:5:9");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->year, 2008);
    EXPECT_EQ(t->minute, 5);
    // Every day of every month, in leap and common years, against the standard library's calendar.
    for (const int year : {1900, 2000, 2007, 2008}) {
        for (unsigned month = 1; month <= 12; ++month) {
            for (unsigned day = 0; day <= 32; ++day) {
                const std::string date = std::to_string(day) + "/" + std::to_string(month) + "/" +
                                         std::to_string(year) + " 9:7:5";
                const std::chrono::year_month_day real{
                    std::chrono::year{year}, std::chrono::month{month}, std::chrono::day{day}};
                EXPECT_EQ(ParseReportDate(date).has_value(), real.ok()) << date;
            }
        }
    }
    for (const char* bad :
         {"5/3/10000 9:7:5", "5/13/2007 9:7:5", "5/3/2007 24:7:5", "5/3/2007 9:60:5",
          "5/3/2007 9:7:60", "05/3/2007 9:7:5", "5/3/2007 9:7", "5/3/2007  9:7:5", "5/3/0 9:7:5",
          "5/3/2007 9:7:5 ", "5-3-2007 9:7:5"}) {
        EXPECT_FALSE(ParseReportDate(bad)) << bad;
    }
}
