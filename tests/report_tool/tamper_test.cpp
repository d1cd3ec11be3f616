// Every line of the report of a whole test, changed the way a hand or a damaged transfer would
// change it, makes the check fail and name the line. What each line is comes from its text and
// place alone.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "analysis/edge_geometry.h"
#include "report_text.h"
#include "support/rewritten_report.h"

namespace {

struct Tampering {
    std::size_t changed;  // the line changed, from 0
    std::string line;     // what it becomes
    std::size_t named;    // the line the check must name, from 0
    friend void PrintTo(const Tampering& t, std::ostream* os) {
        *os << "line " << t.changed + 1 << " as '" << t.line << "'";
    }
};

// A point of array i moved along its edge by `by` units in the direction the edge is traced.
std::string Moved(const std::string& line, std::size_t array, int by) {
    int xy[2] = {};
    std::sscanf(line.c_str(), "%d,%d", &xy[0], &xy[1]);
    const Edge edge = EdgeOfArray(array);
    xy[GeometryOf(edge).alongIsY ? 1 : 0] += edge == Edge::Left || edge == Edge::Bottom ? by : -by;
    return std::to_string(xy[0]) + "," + std::to_string(xy[1]);
}

// A line gets a digit more: a fixed line no longer reads as itself, a statistic or a count says
// another value. Any text is a serial number, so its label changes; the date becomes one no
// calendar has.
// A traced point steps more than 300 along its edge, which the program never accepts (the first
// point of a section is moved back, so the step to the next one is too long); an extra stroke's
// points are raw pen positions, so only their form can be checked.
std::vector<Tampering> Tamperings() {
    std::vector<std::string> labels;
    for (const char* pass : {"", " 2", " extra"}) {
        for (const char* edge : {"left", "bottom", "right", "top"}) {
            labels.push_back(std::string("# ") + edge + pass);
        }
    }
    const std::vector<std::string> lines = SplitLines(WholeTestReport());
    std::vector<Tampering> all;
    std::size_t array = labels.size() + 1;  // 0..11 an array, 12 an extra stroke; none yet
    std::size_t inSection = 0;              // 1 the count, 2 the first point, ...
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        const auto label = std::find(labels.begin(), labels.end(), line);
        if (label != labels.end() || line.starts_with("# extra stroke ")) {
            array = static_cast<std::size_t>(label - labels.begin());
            inSection = 0;
        } else {
            ++inSection;
        }
        if (line.starts_with("# serial number: ")) {
            all.push_back({n, "# serial no: " + line.substr(17), n});
        } else if (line.starts_with("# date and time: ")) {
            all.push_back({n, "# date and time: 29/2/2007 9:7:5", n});  // not a leap year
        } else if (array > labels.size() || inSection < 2) {
            all.push_back({n, line + "1", n});
        } else if (array == labels.size()) {
            all.push_back({n, line + ",0", n});
        } else {
            const bool first = inSection == 2;
            all.push_back({n, Moved(line, array, first ? -1000 : 1000), first ? n + 1 : n});
        }
    }
    return all;
}

class TamperedLine : public ::testing::TestWithParam<Tampering> {};

}  // namespace

TEST(TamperedReport, TheUntouchedReportIsValidAndReadBackWhole) {
    const CheckedReport checked = CheckBytes(WholeTestReport());
    EXPECT_TRUE(checked.findings.ok());
    EXPECT_EQ(Rewritten(checked.report), WholeTestReport());
}

TEST_P(TamperedLine, FailsTheCheckNamingTheLine) {
    const Tampering& t = GetParam();
    std::vector<std::string> lines = SplitLines(WholeTestReport());
    lines[t.changed] = t.line;
    const auto named = static_cast<std::int64_t>(t.named + 1);
    EXPECT_THAT(CheckBytes(JoinLines(lines)).findings.problems(),
                ::testing::Contains(::testing::Field(&Finding::line, named)));
}

INSTANTIATE_TEST_SUITE_P(EveryLine, TamperedLine, ::testing::ValuesIn(Tamperings()));
