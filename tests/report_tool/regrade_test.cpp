// The stored statistics and steps graded again with the program's analysis.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "report_text.h"
#include "support/generated_report.h"

using ::testing::ElementsAre;

namespace {

// Left edge (100,0), (101,5), (102,11), (104,20): the statistics start at point 2.
GeneratedTest ShortLeftEdge() {
    GeneratedTest test;
    for (BoardPoint p : {BoardPoint{100, 0}, {101, 5}, {102, 11}, {104, 20}}) {
        test.tracePoints[0].append(p);
    }
    return test;
}

std::string Replaced(std::string bytes, const std::string& from, const std::string& to) {
    bytes.replace(bytes.find(from), from.size(), to);
    return bytes;
}

}  // namespace

TEST(Regrade, EachStoredStatisticIsComparedWithThePoints) {
    const std::string good = ShortLeftEdge().reportBytes();
    ASSERT_NE(good.find("# min: 102\r\n# max: 104\r\n# avg: 103\r\n# min gap: 9\r\n# max gap: "
                        "9\r\n# avg gap: 4.5\r\n# passed"),
              std::string::npos);
    EXPECT_TRUE(CheckBytes(good).findings.ok());

    const CheckedReport checked = CheckBytes(
        Replaced(Replaced(good, "# avg gap: 4.5", "# avg gap: 6"), "# max: 104", "# max: 160"));
    EXPECT_THAT(checked.findings.problems(),
                ElementsAre(Finding{9,
                                    "expected '# max: 104' from the 4 points of '# left', found "
                                    "'# max: 160'"},
                            Finding{13,
                                    "expected '# avg gap: 4.5' from the 4 points of '# left', "
                                    "found '# avg gap: 6'"}));
}

TEST(Regrade, AVerdictThatDoesNotFollowFromThePointsIsNamed) {
    const std::string bad = Replaced(ShortLeftEdge().reportBytes(), "# passed", "# correctable");
    EXPECT_THAT(CheckBytes(bad).findings.problems(),
                ElementsAre(Finding{14,
                                    "expected '# passed' from the 4 points of '# left', found "
                                    "'# correctable'"}));
}

TEST(Regrade, EveryStepOfATracedSectionFollowsTheAcceptanceRule) {
    GeneratedTest test = ShortLeftEdge();
    for (BoardPoint p : {BoardPoint{4000, 30}, {3800, 31}, {3801, 29}}) {
        test.tracePoints[7].append(p);  // the top edge of the second pass, traced leftwards
    }
    const std::string bytes = test.reportBytes();
    const CheckedReport checked = CheckBytes(bytes);
    const std::int64_t third = checked.report.arrays[7].firstPointLine + 2;
    EXPECT_THAT(checked.findings.problems(),
                ElementsAre(Finding{third,
                                    "expected x from 3500 to 3799 (1 to 300 on from "
                                    "3800,31, going left), found '3801,29'"}));
}

TEST(Regrade, ExtremeCoordinatesAreGradedWithoutOverflow) {
    GeneratedTest test;
    test.tracePoints[0].append({-2147483647 - 1, -2147483647 - 1});
    test.tracePoints[0].append({2147483647, -2147483647 + 299});
    test.tracePoints[2].append({0, 2147483647});
    test.tracePoints[2].append({0, -2147483647 - 1});
    const CheckedReport checked = CheckBytes(test.reportBytes());
    // The right edge's jump downwards by 2^32 - 1 is against its upward travel.
    ASSERT_EQ(checked.findings.problemCount(), 1u);
    EXPECT_EQ(checked.findings.problems()[0].text,
              "expected y from 2147483347 to 2147483646 (1 to 300 on from 0,2147483647, going up), "
              "found '0,-2147483648'");
}
