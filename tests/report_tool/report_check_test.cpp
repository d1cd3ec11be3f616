// The check of a report: read strictly, graded again from its points. Each way a file arrives
// damaged is one problem, named exactly, and the rest is still read.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "report_text.h"
#include "report_tool/reading/report_limits.h"
#include "support/generated_report.h"

namespace {

// One change to the report of a whole test: the first `from` becomes `to`.
struct Damage {
    const char* name;
    std::string from;
    std::string to;
    std::vector<Finding> problems;
    friend void PrintTo(const Damage& d, std::ostream* os) { *os << d.name; }
};

// The report of a whole test from the first `text` on.
std::string TailFrom(std::string_view text) {
    const std::string whole = WholeTestReport();
    return whole.substr(whole.find(text));
}

const std::vector<Damage>& Damages() {
    static const std::vector<Damage> damages = {
        {"Empty", WholeTestReport(), "", {{1, "expected '# v1', found an empty file"}}},
        // A file cut off says so, once, and nothing that only follows from the missing part: not
        // the statistics of an edge whose points are cut short, nor its count. A last line
        // without its line end may be part of a line only, and is not read as one.
        {"CutInsideAPointLine",
         TailFrom("072\r\n700,4075"),
         "",
         {{61,
           "the file is cut off: expected the 8 point lines this line counts for '# bottom', "
           "found 1, then '400,4' and the end of the file without a line end"}}},
        {"CutAfterACount",
         TailFrom("4075,4000"),
         "",
         {{71,
           "the file is cut off: expected the 16 point lines this line counts for '# right', "
           "found 0 and then the end of the file"}}},
        {"CutInsideALabel",
         TailFrom("ht\r\n16\r\n"),
         "",
         {{70,
           "the file is cut off: expected '# right', found '# rig' and the end of the file "
           "without a line end"}}},
        {"CutInsideAStrokeLabel",
         TailFrom("1900,2100\r\n1900,2100"),
         "1900,2100\r\n1900,2100\r\n# extra str",
         {{146,
           "the file is cut off: expected '# extra stroke 2' or the end of the file, found "
           "'# extra str' and the end of the file without a line end"}}},
        {"ByteOrderMark",
         "# v1",
         "\xEF\xBB\xBF# v1",
         {{1, "expected '# v1' at the very start, found a byte-order mark"}}},
        {"CarriageReturnInTheSerialNumber",
         "SN",
         "S\r",
         {{3,
           "expected a serial number without a CR, which only ends a line, found '# serial "
           "number: S\\x0D-4711 \\xDC'"}}},
        {"LongLine",
         "SN-4711 \xDC",
         std::string(report_limits::kMaxLineBytes, 'A'),
         {{3,
           "expected '# serial number: ' and the serial number, found a line longer than "
           "65536 bytes"}}},
        {"OneOtherLineEnd",
         "# avg: 22.1429\r\n",
         "# avg: 22.1429\n",
         {{10, "expected CR LF line ends as on line 1, found LF"}}},
        {"MissingLine",
         "# max: 24\r\n",
         "",
         {{9,
           "expected '# max: ' and a whole number from 0 to 4294967295, found '# avg: "
           "22.1429'"}}},
        {"CountTooSmall",
         "# left\r\n15\r\n",
         "# left\r\n14\r\n",
         {{44, "expected 15, the number of point lines that follow, found 14"}}},
        // A line feed lost on the way makes two point lines one.
        {"LostLineFeed",
         "20,50\r\n",
         "20,50\r",
         {{44, "expected 14, the number of point lines that follow, found 15"},
          {45,
           "expected a point x,y (two whole numbers from -2147483648 to 2147483647), found "
           "'20,50\\x0D22,300'"}}},
        {"CountBeyond32Bits",
         "# left\r\n15\r\n",
         "# left\r\n99999999999\r\n",
         {{44,
           "expected the number of points after '# left' (a whole number, 0 or more), found "
           "'99999999999'"}}},
        {"PointOfOtherForm",
         "\r\n20,50\r\n",
         "\r\n20;50\r\n",
         {{45,
           "expected a point x,y (two whole numbers from -2147483648 to 2147483647), found "
           "'20;50'"}}},
        {"StrokesOutOfOrder",
         "# extra stroke 1",
         "# extra stroke 5",
         {{141, "expected '# extra stroke 1', found '# extra stroke 5'"}}},
        {"Average",
         "# avg gap: 260.714",
         "# avg gap: 260.7",
         {{13,
           "expected '# avg gap: 260.714' from the 15 points of '# left', found '# avg gap: "
           "260.7'"}}},
        {"Verdict",
         "# passed",
         "# correctable",
         {{14, "expected '# passed' from the 15 points of '# left', found '# correctable'"}}},
        // A point line with the other line end is still read, and its step checked after.
        {"StepAgainstTheTravel",
         "# top 2\r\n0\r\n",
         "# top 2\r\n3\r\n4000,30\r\n3800,31\r\n3801,29\n",
         {{114, "expected CR LF line ends as on line 1, found LF"},
          {114,
           "expected x from 3500 to 3799 (1 to 300 on from 3800,31, going left), found "
           "'3801,29'"}}},
        // The allowed values are told in 64 bits, wherever on the 32-bit range the pen is.
        {"StepAtTheEndOfTheRange",
         "# top 2\r\n0\r\n",
         "# top 2\r\n2\r\n-2147483648,0\r\n-2147483648,5\r\n",
         {{113,
           "expected x from -2147483948 to -2147483649 (1 to 300 on from -2147483648,0, going "
           "left), found '-2147483648,5'"}}},
    };
    return damages;
}

class DamagedReport : public ::testing::TestWithParam<Damage> {};

}  // namespace

TEST_P(DamagedReport, IsOneProblemNamedOnItsLine) {
    std::string bytes = WholeTestReport();
    bytes.replace(bytes.find(GetParam().from), GetParam().from.size(), GetParam().to);
    EXPECT_EQ(CheckBytes(bytes).findings.problems(), GetParam().problems);
}

INSTANTIATE_TEST_SUITE_P(EachWay, DamagedReport, ::testing::ValuesIn(Damages()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReportCheck, NoiseIsProblemsWithinBounds) {
    std::mt19937 random(7);
    std::string noise(200000, '\0');
    for (char& c : noise) {
        c = static_cast<char>(random());
    }
    const Findings findings = CheckBytes(noise).findings;
    EXPECT_EQ(findings.problems().front().text.rfind("expected '# v1', found '", 0), 0u);
    EXPECT_EQ(findings.problems().size(), report_limits::kMaxListedProblems);
    EXPECT_GT(findings.problemCount(), findings.problems().size());
}

TEST(ReportCheck, MoreThanTheLimitOfPointsStopsTheReading) {
    const std::size_t count = report_limits::kMaxPoints + 1;
    std::string points = "# extra stroke 2\r\n" + std::to_string(count) + "\r\n";
    for (std::size_t i = 0; i < count; ++i) {
        points += "0,0\r\n";
    }
    const Findings findings = CheckBytes(WholeTestReport() + points).findings;
    ASSERT_EQ(findings.problemCount(), 1u);
    EXPECT_EQ(findings.problems()[0].text,
              "expected at most 4194304 points in a report, found more; the rest is not read");
}
