#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <string>

#include "report/report_writer.h"

TEST(ReportBytes, SmallReportMatchesHandWrittenFile) {
    PointArrays points;
    points[0].append({-3, 4095});
    points[0].append({1023, -4});
    points[1].append({5, 6});
    points[4].append({7, 8});
    points[11].append(
        {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min()});
    StrokeList strokes;
    strokes.startStroke();
    strokes.lastStroke().append({1, 2});
    strokes.startStroke();  // an extra stroke without points

    // An edge without points: initial min and max, averages 0/0 of either sign.
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    const EdgeStats emptyEdge{0, 4096, 0, kNaN, 0, 0, -kNaN};

    const ReportContent content{
        "",
        {.year = 2008, .month = 1, .day = 1, .hour = 0, .minute = 5, .second = 9},
        {EdgeStats{1, 100, 150, 2048.0f, 1, 7, 1234.5678f},
         EdgeStats{1, 100, 151, 0.25f, 0, 3, 1e-5f}, EdgeStats{1, 10, 310, 1234567.0f, 2, 2, 2.0f},
         emptyEdge},
        points,
        strokes};

    const std::string expected =
        "# v1\r\n"
        "\r\n"
        "# serial number: \r\n"
        "\r\n"
        "# date and time: 1/1/2008 0:5:9\r\n"
        "\r\n"
        "# left stats\r\n"
        "# min: 100\r\n"
        "# max: 150\r\n"
        "# avg: 2048\r\n"
        "# min gap: 1\r\n"
        "# max gap: 7\r\n"
        "# avg gap: 1234.57\r\n"
        "# passed\r\n"
        "\r\n"
        "# bottom stats\r\n"
        "# min: 100\r\n"
        "# max: 151\r\n"
        "# avg: 0.25\r\n"
        "# min gap: 0\r\n"
        "# max gap: 3\r\n"
        "# avg gap: 1e-005\r\n"
        "# correctable\r\n"
        "\r\n"
        "# right stats\r\n"
        "# min: 10\r\n"
        "# max: 310\r\n"
        "# avg: 1.23457e+006\r\n"
        "# min gap: 2\r\n"
        "# max gap: 2\r\n"
        "# avg gap: 2\r\n"
        "# correctable\r\n"
        "\r\n"
        "# top stats\r\n"
        "# min: 4096\r\n"
        "# max: 0\r\n"
        "# avg: nan\r\n"
        "# min gap: 0\r\n"
        "# max gap: 0\r\n"
        "# avg gap: nan\r\n"
        "# not correctable\r\n"
        "\r\n"
        "# left\r\n"
        "2\r\n"
        "-3,4095\r\n"
        "1023,-4\r\n"
        "# bottom\r\n"
        "1\r\n"
        "5,6\r\n"
        "# right\r\n"
        "0\r\n"
        "# top\r\n"
        "0\r\n"
        "# left 2\r\n"
        "1\r\n"
        "7,8\r\n"
        "# bottom 2\r\n"
        "0\r\n"
        "# right 2\r\n"
        "0\r\n"
        "# top 2\r\n"
        "0\r\n"
        "# left extra\r\n"
        "0\r\n"
        "# bottom extra\r\n"
        "0\r\n"
        "# right extra\r\n"
        "0\r\n"
        "# top extra\r\n"
        "1\r\n"
        "2147483647,-2147483648\r\n"
        "# extra stroke 0\r\n"
        "1\r\n"
        "1,2\r\n"
        "# extra stroke 1\r\n"
        "0\r\n";
    EXPECT_EQ(FormatReport(content), expected);
}

TEST(ReportBytes, WithoutExtraStrokesTheFileEndsWithTheTopExtraSection) {
    PointArrays points;
    points[11].append({4096, 0});
    const StrokeList strokes;
    const std::string report = FormatReport({"", {}, {}, points, strokes});
    EXPECT_TRUE(report.ends_with("# top extra\r\n1\r\n4096,0\r\n"));
    EXPECT_EQ(report.find("# extra stroke"), std::string::npos);
}

TEST(ReportBytes, SerialNumberBytesAndFullDateArePassedThrough) {
    const PointArrays points;
    const StrokeList strokes;
    const ReportContent content{
        "SN\xC4\xD6-42",
        {.year = 2007, .month = 12, .day = 31, .hour = 23, .minute = 59, .second = 58},
        {},
        points,
        strokes};
    const std::string report = FormatReport(content);
    EXPECT_TRUE(
        report.starts_with("# v1\r\n\r\n# serial number: SN\xC4\xD6-42\r\n\r\n"
                           "# date and time: 31/12/2007 23:59:58\r\n\r\n# left stats\r\n"));
}
