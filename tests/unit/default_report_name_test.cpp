#include <gtest/gtest.h>

#include "report/default_report_name.h"

TEST(DefaultReportName, DirectoryOfTheProgramAndPaddedDayMonthMinuteSecond) {
    EXPECT_EQ(DefaultReportName(
                  L"D:\\Tools\\rimtrace.exe",
                  {.year = 2007, .month = 3, .day = 5, .hour = 9, .minute = 7, .second = 5}),
              L"D:\\Tools\\LMEdgeReport_05-03-2007_9.07.05.pts");
}

TEST(DefaultReportName, MidnightHourHasNoLeadingZero) {
    EXPECT_EQ(DefaultReportName(
                  L"C:\\Program Files\\LUMORA\\rimtrace.exe",
                  {.year = 2008, .month = 1, .day = 1, .hour = 0, .minute = 5, .second = 9}),
              L"C:\\Program Files\\LUMORA\\LMEdgeReport_01-01-2008_0.05.09.pts");
}

TEST(DefaultReportName, TwoDigitFieldsAreNotPaddedFurther) {
    EXPECT_EQ(DefaultReportName(
                  L"E:\\a\\b\\rimtrace.exe",
                  {.year = 2010, .month = 12, .day = 31, .hour = 23, .minute = 59, .second = 58}),
              L"E:\\a\\b\\LMEdgeReport_31-12-2010_23.59.58.pts");
}

TEST(DefaultReportName, PathWithoutBackslashIsUsedWhole) {
    EXPECT_EQ(DefaultReportName(L"rimtrace.exe", {.year = 2007, .month = 3, .day = 5}),
              L"rimtrace.exe\\LMEdgeReport_05-03-2007_0.00.00.pts");
}

TEST(DefaultReportName, PercentSignsInTheDirectoryAreKept) {
    EXPECT_EQ(
        DefaultReportName(L"D:\\100%d %s\\rimtrace.exe", {.year = 2007, .month = 3, .day = 5}),
        L"D:\\100%d %s\\LMEdgeReport_05-03-2007_0.00.00.pts");
}
