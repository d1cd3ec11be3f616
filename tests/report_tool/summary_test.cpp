// Summary rows: what each report states, sorted by serial number and date, as CSV and JSON.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "analysis/edge_verdict.h"
#include "report_text.h"
#include "report_tool/reading/value_text.h"
#include "report_tool/summary/summary_output.h"
#include "support/generated_report.h"

namespace {

SummaryRow RowOf(const GeneratedTest& test, const std::string& file) {
    return SummarizeReport(file, CheckBytes(test.reportBytes()));
}

GeneratedTest Dated(const std::string& serial, std::uint16_t year, std::uint16_t month) {
    GeneratedTest test = GenerateTest(11);
    test.serialNumber = serial;
    test.writtenAt = {year, month, 5, 9, 7, 5};
    return test;
}

std::string Csv(const std::vector<SummaryRow>& rows) {
    std::ostringstream out;
    WriteSummaryCsv(out, rows);
    return out.str();
}

}  // namespace

TEST(Summary, ARowHoldsWhatTheProgramComputed) {
    GeneratedTest test = GenerateTest(4);
    test.tracePoints[2].clear();  // an edge deleted during its time-out
    test.writtenAt = {2026, 6, 12, 23, 16, 7};
    std::mt19937 random(1);
    test.tracePoints[5] = GeneratedTrace(5, 10, 4080, 4070, 200, 5, random);
    const SummaryRow row = RowOf(test, "r.pts");
    const auto stats = test.edgeStats();
    for (std::size_t e : {0u, 1u, 3u}) {
        EXPECT_EQ(row.edges[e].min, stats[e].min);
        EXPECT_EQ(row.edges[e].max, stats[e].max);
        EXPECT_EQ(row.edges[e].spread, stats[e].max - stats[e].min);
        EXPECT_EQ(row.edges[e].verdict, ClassifyEdge(stats[e]));
        EXPECT_EQ(row.edges[e].points, test.tracePoints[e].size());
    }
    EXPECT_FALSE(row.edges[2].min);
    EXPECT_FALSE(row.edges[2].spread);
    EXPECT_EQ(row.edges[2].verdict, EdgeVerdict::NotCorrectable);
    EXPECT_EQ(row.edges[2].coveragePercent, 0.0);
    EXPECT_TRUE(row.secondPass);
    EXPECT_EQ(row.problems, 0u);
    EXPECT_EQ(IsoDateTime(*row.writtenAt), "2026-06-12T23:16:07");
}

TEST(Summary, RowsAreSortedBySerialNumberThenDate) {
    std::vector<SummaryRow> rows = {
        RowOf(Dated("SN-2", 2026, 1), "a.pts"), RowOf(Dated("SN-10", 2026, 3), "b.pts"),
        RowOf(Dated("SN-10", 2025, 12), "c.pts"), RowOf(Dated("SN-10", 2026, 2), "d.pts")};
    rows.push_back(SummarizeReport("garbage.pts", CheckBytes("not a report\r\n")));
    SortRows(rows);
    std::vector<std::string> files;
    for (const SummaryRow& row : rows) {
        files.push_back(row.file);
    }
    EXPECT_THAT(files, ::testing::ElementsAre("garbage.pts", "c.pts", "d.pts", "b.pts", "a.pts"));
}

TEST(Summary, CsvQuotesAsRfc4180Says) {
    EXPECT_EQ(CsvField("SN-1"), "SN-1");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\r\nlines"), "\"two\r\nlines\"");

    GeneratedTest test = Dated("SN \"7\", rev B", 2007, 3);
    const std::string csv = Csv({RowOf(test, "dir,1/r.pts")});
    const std::vector<std::string> lines = SplitLines(csv);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(std::count(lines[0].begin(), lines[0].end(), ','), 32);
    EXPECT_EQ(lines[1].rfind("\"dir,1/r.pts\",\"SN \"\"7\"\", rev B\",2007-03-05T09:07:05,", 0),
              0u);
    EXPECT_TRUE(lines[1].ends_with(",ok,0,"));
}

TEST(Summary, AFailedReportShowsItsFirstProblem) {
    std::string bytes = GenerateTest(2).reportBytes();
    bytes.replace(bytes.find("# min: "), 7, "# mín: ");
    const SummaryRow row = SummarizeReport("x.pts", CheckBytes(bytes));
    EXPECT_EQ(row.problems, 1u);
    EXPECT_EQ(row.firstProblem.rfind("line 8: expected '# min: '", 0), 0u);
    EXPECT_TRUE(Csv({row}).find(",failed,1,\"line 8: expected '# min: ' and a whole number from 0 "
                                "to 4294967295, found '# m\\xC3\\xADn: ") != std::string::npos);
}

TEST(Summary, JsonHasOneObjectPerReportWithNullsForWhatIsMissing) {
    GeneratedTest test = Dated("SN-\xDC", 2007, 3);  // Windows-1252 Ü
    test.tracePoints[0].clear();
    std::ostringstream out;
    WriteSummaryJson(out, {RowOf(test, "r.pts")});
    const nlohmann::json json = nlohmann::json::parse(out.str());
    ASSERT_EQ(json.size(), 1u);
    EXPECT_EQ(json[0]["serial_number"], "SN-\xC3\x9C");
    EXPECT_EQ(json[0]["date"], "2007-03-05T09:07:05");
    EXPECT_TRUE(json[0]["edges"]["left"]["min"].is_null());
    EXPECT_EQ(json[0]["edges"]["left"]["verdict"], "not correctable");
    EXPECT_EQ(json[0]["edges"]["left"]["points"], 0);
    EXPECT_TRUE(json[0]["edges"]["bottom"]["spread"].is_number());
    EXPECT_EQ(json[0]["check"], "ok");
    EXPECT_TRUE(json[0]["first_problem"].is_null());
}
