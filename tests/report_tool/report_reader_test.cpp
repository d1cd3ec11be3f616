// Reading reports strictly: good ones, the ways files arrive damaged, and hostile input.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "report_text.h"
#include "report_tool/reading/report_limits.h"
#include "support/generated_report.h"

using ::testing::ElementsAre;
using ::testing::IsSupersetOf;

namespace {

std::string WholeTestReport() {
    std::ifstream in(std::filesystem::path(RIMTRACE_SOURCE_DIR) / "tests/unit/data/whole_test.pts",
                     std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string WithoutCarriageReturns(std::string bytes) {
    std::erase(bytes, '\r');
    return bytes;
}

}  // namespace

TEST(ReportReader, ReadsTheReportOfAWholeTest) {
    const CheckedReport checked = CheckBytes(WholeTestReport());
    EXPECT_TRUE(checked.findings.ok()) << checked.findings.problems().front().text;
    EXPECT_TRUE(checked.findings.warnings().empty());
    const ParsedReport& r = checked.report;
    EXPECT_EQ(r.serialNumber, "SN-4711 \xDC");
    ASSERT_TRUE(r.writtenAt);
    EXPECT_EQ(r.writtenAt->year, 2007);
    EXPECT_EQ(r.writtenAt->second, 5);
    EXPECT_EQ(r.stats[2].min, 4040u);
    EXPECT_EQ(r.stats[2].max, 4130u);
    EXPECT_EQ(r.stats[0].avg, 22.1429f);
    EXPECT_EQ(r.stats[3].verdict, EdgeVerdict::Correctable);
    EXPECT_EQ(r.stats[3].line(StatLine::Verdict), 41);
    EXPECT_EQ(r.arrays[0].points.size(), 15u);
    EXPECT_EQ(r.arrays[0].firstPointLine, 45);
    EXPECT_EQ(*r.arrays[0].points.begin(), (BoardPoint{20, 50}));
    EXPECT_EQ(r.arrays[1].points.size(), 8u);
    EXPECT_TRUE(r.arrays[4].points.empty());
    EXPECT_EQ(r.arrays[4].labelLine, r.arrays[3].countLine + 15);
    EXPECT_EQ(r.arrays[8].points.size(), 4u);
    ASSERT_EQ(r.freeStrokes.size(), 2u);
    EXPECT_EQ(r.freeStrokes[1].points.size(), 3u);
}

TEST(ReportReader, AnEdgeWithoutPointsHasUndefinedAverages) {
    GeneratedTest test = GenerateTest(3);
    test.tracePoints[1].clear();
    const std::string bytes = test.reportBytes();
    ASSERT_NE(bytes.find("# avg: nan\r\n# min gap: 4096"), std::string::npos);
    const CheckedReport checked = CheckBytes(bytes);
    EXPECT_TRUE(checked.findings.ok());
    EXPECT_EQ(checked.report.stats[1].verdict, EdgeVerdict::NotCorrectable);
}

TEST(ReportReader, LineEndsOfLfOnlyAreReadWithAWarning) {
    const CheckedReport checked = CheckBytes(WithoutCarriageReturns(WholeTestReport()));
    EXPECT_TRUE(checked.findings.ok());
    ASSERT_EQ(checked.findings.warnings().size(), 1u);
    EXPECT_NE(checked.findings.warnings()[0].text.find("found LF only"), std::string::npos);
    EXPECT_EQ(checked.report.arrays[0].points.size(), 15u);
}

TEST(ReportReader, MixedLineEndsAreOneProblemAtTheFirstOddLine) {
    std::vector<std::string> lines = SplitLines(WholeTestReport());
    std::string bytes = JoinLines({lines.begin(), lines.begin() + 9});
    bytes += lines[9] + "\n" + lines[10] + "\n" + JoinLines({lines.begin() + 11, lines.end()});
    const CheckedReport checked = CheckBytes(bytes);
    ASSERT_EQ(checked.findings.problemCount(), 1u);
    EXPECT_EQ(
        checked.findings.problems()[0],
        (Finding{10, "expected CR LF line ends as on line 1, found LF here and on 1 more lines"}));
}

TEST(ReportReader, ACutOffFileSaysWhereItEnds) {
    const std::string whole = WholeTestReport();
    // Cut inside the bottom edge's points, then right after a whole line of them.
    const std::size_t at = whole.find("400,4072");
    CheckedReport checked = CheckBytes(whole.substr(0, at + 5));
    EXPECT_THAT(
        checked.findings.problems(),
        IsSupersetOf({Finding{61, "expected 2, the number of point lines that follow, found 8"},
                      Finding{63,
                              "expected CR LF at the end of the last line, found the end "
                              "of the file (cut off?)"}}));

    checked = CheckBytes(whole.substr(0, at + 10));
    EXPECT_THAT(
        checked.findings.problems(),
        IsSupersetOf({Finding{61, "expected 2, the number of point lines that follow, found 8"},
                      Finding{64, "expected '# right', found the end of the file"}}));
}

TEST(ReportReader, EmptyFileAndRandomBytesAreProblemsNotCrashes) {
    CheckedReport checked = CheckBytes("");
    EXPECT_EQ(checked.findings.problems().front(),
              (Finding{1, "expected '# v1', found the end of the file"}));

    std::mt19937 random(7);
    std::string noise(200000, '\0');
    for (char& c : noise) {
        c = static_cast<char>(random());
    }
    checked = CheckBytes(noise);
    EXPECT_FALSE(checked.findings.ok());
    EXPECT_EQ(checked.findings.problems().front().line, 1);
    EXPECT_EQ(checked.findings.problems().front().text.rfind("expected '# v1', found '", 0), 0u);
    EXPECT_LE(checked.findings.problems().size(), report_limits::kMaxListedProblems);
    EXPECT_GT(checked.findings.problemCount(), checked.findings.problems().size());
}

TEST(ReportReader, AnAbsurdCountIsComparedWithTheLinesThatFollow) {
    std::string bytes = WholeTestReport();
    const std::size_t at = bytes.find("# left\r\n15\r\n");
    bytes.replace(at + 8, 2, "2147483647");
    CheckedReport checked = CheckBytes(bytes);
    EXPECT_THAT(checked.findings.problems(),
                ElementsAre(Finding{44,
                                    "expected 15, the number of point lines that follow, found "
                                    "2147483647"}));

    bytes.replace(at + 8, 10, "99999999999");
    checked = CheckBytes(bytes);
    EXPECT_EQ(checked.findings.problems().front(),
              (Finding{44,
                       "expected the number of points after '# left' (a whole number, 0 or "
                       "more), found '99999999999'"}));
}

TEST(ReportReader, ALineBeyondTheLimitIsCutAndReported) {
    std::string bytes = WholeTestReport();
    const std::string serial = "# serial number: SN-4711 \xDC";
    bytes.replace(bytes.find(serial), serial.size(),
                  "# serial number: " + std::string(report_limits::kMaxLineBytes, 'A'));
    const CheckedReport checked = CheckBytes(bytes);
    ASSERT_EQ(checked.findings.problemCount(), 1u);
    EXPECT_EQ(checked.findings.problems()[0],
              (Finding{3,
                       "expected '# serial number: ' and the serial number, found a line "
                       "longer than 65536 bytes"}));
    EXPECT_EQ(checked.report.stats[0].min, 20u);  // the rest is read as before
}

TEST(ReportReader, ByteOrderMarkAndCarriageReturnsInsideLinesAreProblems) {
    CheckedReport checked = CheckBytes("\xEF\xBB\xBF" + WholeTestReport());
    EXPECT_THAT(
        checked.findings.problems(),
        ElementsAre(Finding{1, "expected '# v1' at the very start, found a byte-order mark"}));

    std::string bytes = WholeTestReport();
    bytes.replace(bytes.find("SN-4711"), 2, "S\r");
    checked = CheckBytes(bytes);
    EXPECT_THAT(ProblemLines(checked.findings), ElementsAre(3));
}

TEST(ReportReader, MoreThanTheLimitOfPointsStopsTheReading) {
    std::string bytes = WholeTestReport();
    const std::size_t count = report_limits::kMaxPoints + 1;
    std::string points = "# extra stroke 2\r\n" + std::to_string(count) + "\r\n";
    points.reserve(points.size() + count * 5);
    for (std::size_t i = 0; i < count; ++i) {
        points += "0,0\r\n";
    }
    const CheckedReport checked = CheckBytes(bytes + points);
    ASSERT_EQ(checked.findings.problemCount(), 1u);
    EXPECT_EQ(checked.findings.problems()[0].text,
              "expected at most 4194304 points in a report, found more; the rest is not read");
}

TEST(ReportReader, AMissingLineIsReportedOnceAndTheRestIsStillRead) {
    std::vector<std::string> lines = SplitLines(WholeTestReport());
    lines.erase(lines.begin() + 8);  // "# max: 24" of the left edge
    const CheckedReport checked = CheckBytes(JoinLines(lines));
    EXPECT_THAT(checked.findings.problems(),
                ElementsAre(Finding{9,
                                    "expected '# max: ' and a whole number from 0 to 4294967295, "
                                    "found '# avg: 22.1429'"}));
    EXPECT_EQ(checked.report.stats[0].avg, 22.1429f);
    EXPECT_EQ(checked.report.arrays[11].points.size(), 4u);
}

TEST(ReportReader, StrokesMustBeNumberedInOrder) {
    std::string bytes = WholeTestReport();
    bytes.replace(bytes.find("# extra stroke 1"), 16, "# extra stroke 5");
    const CheckedReport checked = CheckBytes(bytes);
    ASSERT_EQ(checked.findings.problemCount(), 1u);
    EXPECT_EQ(checked.findings.problems()[0].text,
              "expected '# extra stroke 1', found '# extra stroke 5'");
    EXPECT_EQ(checked.report.freeStrokes.size(), 2u);
}
