#include <gtest/gtest.h>

#include "report/default_report_name.h"

TEST(DefaultReportName, IsBesideTheProgramWithDayMonthMinuteAndSecondInTwoDigits) {
    struct Case {
        const wchar_t* program;
        LocalDateTime at;
        const wchar_t* name;
    };
    for (const Case& c : {
             Case{L"D:\\Tools\\rimtrace.exe",
                  {2007, 3, 5, 9, 7, 5},
                  L"D:\\Tools\\LMEdgeReport_05-03-2007_9.07.05.pts"},
             // the hour has no leading zero, not even at midnight
             Case{L"C:\\Program Files\\LUMORA\\rimtrace.exe",
                  {2008, 1, 1, 0, 5, 9},
                  L"C:\\Program Files\\LUMORA\\LMEdgeReport_01-01-2008_0.05.09.pts"},
             Case{L"E:\\a\\b\\rimtrace.exe",
                  {2010, 12, 31, 23, 59, 58},
                  L"E:\\a\\b\\LMEdgeReport_31-12-2010_23.59.58.pts"},
             // a path without a backslash is taken whole; percent signs are kept
             Case{L"rimtrace.exe",
                  {2007, 3, 5, 0, 0, 0},
                  L"rimtrace.exe\\LMEdgeReport_05-03-2007_0.00.00.pts"},
             Case{L"D:\\100%d %s\\rimtrace.exe",
                  {2007, 3, 5, 0, 0, 0},
                  L"D:\\100%d %s\\LMEdgeReport_05-03-2007_0.00.00.pts"},
         }) {
        EXPECT_EQ(DefaultReportName(c.program, c.at), c.name);
    }
}
