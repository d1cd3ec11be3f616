// Summary rows: what each report states and how much of each edge was traced, sorted by serial
// number and date, as CSV and JSON.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "report_text.h"
#include "report_tool/summary/summary_output.h"
#include "support/generated_report.h"

using ::testing::ElementsAre;

namespace {

SummaryRow RowOf(const std::string& bytes, const std::string& file = "r.pts") {
    return SummarizeReport(file, CheckBytes(bytes));
}

std::string Csv(const std::vector<SummaryRow>& rows) {
    std::ostringstream out;
    WriteSummaryCsv(out, rows);
    return out.str();
}

GeneratedTest Dated(const std::string& serial, std::uint16_t year, std::uint16_t month) {
    GeneratedTest test = GenerateTest(11);
    test.serialNumber = serial;
    test.writtenAt = {year, month, 5, 9, 7, 5};
    return test;
}

}  // namespace

// The whole test's edges are traced from 50 to 3950, 100 to 2000, 4000 to 250 and 3990 to 90. A
// copy arrived with LF line ends, a serial number a spreadsheet would take for a formula and a
// left edge claimed not correctable that its points pass; another was cut off in the bottom
// edge's second point, so only the left edge can be graded.
TEST(Summary, ACsvRowHoldsWhatThePointsSayWhatTheReportClaimsAndHowMuchWasTraced) {
    std::string copy = WholeTestReport();
    std::erase(copy, '\r');
    copy.replace(copy.find("SN-4711 \xDC"), 9, "=HYPERLINK(\"http://x\",\"x\")");
    copy.replace(copy.find("# passed"), 8, "# not correctable");
    const std::string cut = WholeTestReport().substr(0, WholeTestReport().find("072\r\n700"));
    EXPECT_THAT(
        SplitLines(Csv({RowOf(WholeTestReport(), "dir,1/r.pts"), RowOf(copy, "-copy.pts"),
                        RowOf(cut, "cut.pts")})),
        ElementsAre("file,serial number,date,left min,left max,left spread,left verdict,left "
                    "points,left coverage %,bottom min,bottom max,bottom spread,bottom verdict,"
                    "bottom points,bottom coverage %,right min,right max,right spread,right "
                    "verdict,right points,right coverage %,top min,top max,top spread,top "
                    "verdict,top points,top coverage %,second pass,internal trace,free strokes,"
                    "check,problems,first problem,overall verdict,left claimed verdict,bottom "
                    "claimed verdict,right claimed verdict,top claimed verdict,warnings,encoding",
                    "\"dir,1/r.pts\",SN-4711 \xC3\x9C,2007-03-05T09:07:05,20,24,4,passed,15,95.2,"
                    "4069,4075,6,passed,8,46.4,4040,4130,90,correctable,16,91.6,28,133,105,"
                    "correctable,14,95.2,no,yes,2,ok,0,,correctable,,,,,,cp1252",
                    "'-copy.pts,\"'=HYPERLINK(\"\"http://x\"\",\"\"x\"\")\",2007-03-05T09:07:05,"
                    "20,24,4,passed,15,95.2,4069,4075,6,passed,8,46.4,4040,4130,90,correctable,16,"
                    "91.6,28,133,105,correctable,14,95.2,no,yes,2,failed,1,\"line 14: expected "
                    "'# passed' from the 15 points of '# left', found '# not correctable'\","
                    "correctable,not correctable,,,,\"expected CR LF line ends, found LF only: "
                    "the file was read as it is (a mail gateway may have changed them)\",utf-8",
                    "cut.pts,SN-4711 \xC3\x9C,2007-03-05T09:07:05,20,24,4,passed,15,95.2,,,,,1,0.0,"
                    ",,,,0,0.0,,,,,0,0.0,no,no,0,failed,1,\"line 61: the file is cut off: expected "
                    "the 8 point lines this line counts for '# bottom', found 1, then '400,4' and "
                    "the end of the file without a line end\",,,passed,correctable,correctable,,"
                    "cp1252"));
}

TEST(Summary, CsvQuotesAsRfc4180SaysAndKeepsTextFromBeingAFormula) {
    EXPECT_EQ(CsvField("SN-1"), "SN-1");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\rlines"), "\"two\rlines\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(CsvField("-5"), "-5");
    for (const char* formula : {"=1+2", "+1", "-5", "@SUM(A1)", "\tx"}) {
        EXPECT_EQ(CsvText(formula), std::string("'") + formula);
    }
    EXPECT_EQ(CsvText("\r=1"), "\"'\r=1\"");
    EXPECT_EQ(CsvText("SN=1-2"), "SN=1-2");
    EXPECT_EQ(CsvText(""), "");
}

TEST(Summary, JsonHasOneObjectPerReportWithNullsForWhatIsMissing) {
    GeneratedTest test = Dated("SN-\xDC", 2007, 3);  // Windows-1252 Ü
    test.tracePoints[0].clear();
    std::ostringstream out;
    WriteSummaryJson(out, {RowOf(WholeTestReport()), RowOf(test.reportBytes())});
    const nlohmann::json json = nlohmann::json::parse(out.str());
    ASSERT_EQ(json.size(), 2u);
    EXPECT_EQ(json[0]["date"], "2007-03-05T09:07:05");
    EXPECT_EQ(json[0]["edges"]["bottom"]["coverage_percent"], 46.4);
    EXPECT_EQ(json[1]["serial_number"], "SN-\xC3\x9C");
    const nlohmann::json& left = json[1]["edges"]["left"];
    EXPECT_TRUE(left["min"].is_null() && left["max"].is_null() && left["spread"].is_null());
    EXPECT_EQ(left["verdict"], "not correctable");
    EXPECT_EQ(left["points"], 0);
    EXPECT_TRUE(left["claimed_verdict"].is_null());
    EXPECT_EQ(json[1]["check"], "ok");
    EXPECT_TRUE(json[1]["first_problem"].is_null());
    EXPECT_EQ(json[1]["overall_verdict"], "not correctable");
    EXPECT_EQ(json[1]["warnings"], nlohmann::json::array());
    EXPECT_EQ(json[1]["encoding"], "cp1252");
}

// A report whose date cannot be read comes before the dated ones of its serial number.
TEST(Summary, RowsAreSortedBySerialNumberThenDate) {
    std::string undated = Dated("SN-10", 2026, 4).reportBytes();
    undated.replace(undated.find("5/4/2026"), 1, "x");
    std::vector<SummaryRow> rows = {RowOf(Dated("SN-2", 2026, 1).reportBytes(), "a.pts"),
                                    RowOf(Dated("SN-10", 2026, 3).reportBytes(), "b.pts"),
                                    RowOf(Dated("SN-10", 2025, 12).reportBytes(), "c.pts"),
                                    RowOf(undated, "u.pts"),
                                    RowOf(Dated("SN-10", 2026, 2).reportBytes(), "d.pts")};
    SortRows(rows);
    std::vector<std::string> files;
    for (const SummaryRow& row : rows) {
        files.push_back(row.file);
    }
    EXPECT_THAT(files, ElementsAre("u.pts", "c.pts", "d.pts", "b.pts", "a.pts"));
}
