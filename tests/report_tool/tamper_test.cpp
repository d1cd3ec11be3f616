// Every line of a good report, changed the way a hand or a damaged transfer would change it, makes
// the check fail and name the line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "analysis/edge_geometry.h"
#include "report/report_float.h"
#include "report_text.h"
#include "report_tool/reading/value_text.h"
#include "support/generated_report.h"

namespace {

// A test with every section filled: each traced section has several points, and there are two
// free strokes.
GeneratedTest FullTest() {
    std::mt19937 random(5);
    GeneratedTest test;
    const std::int32_t across[12] = {20, 4076, 4076, 20, 24, 4072, 4070, 25, 55, 4041, 4041, 55};
    for (std::size_t i = 0; i < 12; ++i) {
        const bool forward = i % 4 < 2;
        test.tracePoints[i] = GeneratedTrace(i, forward ? 10 : 4086, forward ? 4080 : 16, across[i],
                                             i < 4 ? 280 : 300, 30, random);
    }
    for (int s = 0; s < 2; ++s) {
        test.extraStrokes.startStroke();
        for (int p = 0; p < 3; ++p) {
            test.extraStrokes.lastStroke().append({100 * p, 2000 + s});
        }
    }
    return test;
}

const std::string& GoodReport() {
    static const std::string bytes = FullTest().reportBytes();
    return bytes;
}

enum class Kind {
    Fixed,
    Heading,
    WholeStat,
    AverageStat,
    Verdict,
    Label,
    Count,
    Point,
    StrokePoint
};

struct LineRole {
    Kind kind = Kind::Fixed;
    std::size_t array = 0;  // for points: which of the 12 arrays
    std::size_t index = 0;  // for points: which point
};

// What each line of the good report is, as the reader places it.
std::map<std::int64_t, LineRole> Roles() {
    const CheckedReport checked = CheckBytes(GoodReport());
    std::map<std::int64_t, LineRole> roles;
    for (const StoredStats& s : checked.report.stats) {
        roles[s.line(StatLine::Heading)] = {Kind::Heading};
        for (StatLine l : {StatLine::Min, StatLine::Max, StatLine::MinGap, StatLine::MaxGap}) {
            roles[s.line(l)] = {Kind::WholeStat};
        }
        roles[s.line(StatLine::Avg)] = {Kind::AverageStat};
        roles[s.line(StatLine::AvgGap)] = {Kind::AverageStat};
        roles[s.line(StatLine::Verdict)] = {Kind::Verdict};
    }
    const auto section = [&](const PointSection& s, std::size_t array, Kind pointKind) {
        roles[s.labelLine] = {Kind::Label};
        roles[s.countLine] = {Kind::Count};
        for (std::size_t i = 0; i < s.points.size(); ++i) {
            roles[s.firstPointLine + static_cast<std::int64_t>(i)] = {pointKind, array, i};
        }
    };
    for (std::size_t i = 0; i < kPointArrays; ++i) {
        section(checked.report.arrays[i], i, Kind::Point);
    }
    for (const PointSection& s : checked.report.freeStrokes) {
        section(s, 0, Kind::StrokePoint);
    }
    return roles;
}

const std::map<std::int64_t, LineRole>& RoleOf() {
    static const std::map<std::int64_t, LineRole> roles = Roles();
    return roles;
}

std::string Value(const std::string& line) {
    return line.substr(line.rfind(' ') + 1);
}

std::string Label(const std::string& line) {
    return line.substr(0, line.rfind(' ') + 1);
}

// A point moved along its edge by `by` units in the direction of travel.
std::string Moved(const std::string& line, std::size_t array, int by) {
    const std::size_t comma = line.find(',');
    std::int32_t x = std::stoi(line.substr(0, comma));
    std::int32_t y = std::stoi(line.substr(comma + 1));
    const Edge edge = kEdges[array % 4];
    const int sign = edge == Edge::Left || edge == Edge::Bottom ? 1 : -1;
    (GeometryOf(edge).alongIsY ? y : x) += sign * by;
    return std::to_string(x) + "," + std::to_string(y);
}

struct Tampering {
    std::string line;        // the changed line
    std::int64_t namedLine;  // the line the check must name
};

Tampering Tamper(std::int64_t number, const std::string& line) {
    const auto role = RoleOf().find(number);
    const Kind kind = role == RoleOf().end() ? Kind::Fixed : role->second.kind;
    switch (kind) {
        case Kind::Fixed:
            if (line.starts_with("# serial number: ")) {
                return {"# serial no: " + line.substr(17), number};  // any serial number is valid
            }
            if (line.starts_with("# date and time: ")) {
                return {"# date and time: 31/2/2026 23:16:7", number};  // no 31 February
            }
            return {line.empty() ? " " : line + "x", number};
        case Kind::Heading:
        case Kind::Label:
            return {line + "s", number};
        case Kind::WholeStat:
            return {Label(line) + std::to_string(std::stoul(Value(line)) + 1), number};
        case Kind::AverageStat:
            return {Label(line) + FormatReportFloat(std::stof(Value(line)) + 0.5f), number};
        case Kind::Verdict:
            return {line == "# passed" ? "# correctable" : "# passed", number};
        case Kind::Count:
            return {std::to_string(std::stoi(line) + 1), number};
        case Kind::Point:
            // A step of more than 300 along the edge, which the program never accepts: the first
            // point of a section is moved back, so the step to the next one is too long.
            if (role->second.index == 0) {
                return {Moved(line, role->second.array, -1000), number + 1};
            }
            return {Moved(line, role->second.array, 1000), number};
        case Kind::StrokePoint:
            break;
    }
    // A free stroke's points are raw pen positions: only their form can be checked.
    return {line + ",0", number};
}

class TamperedLine : public ::testing::TestWithParam<std::int64_t> {};

}  // namespace

TEST(TamperedReport, TheGoodReportIsValid) {
    const CheckedReport checked = CheckBytes(GoodReport());
    EXPECT_TRUE(checked.findings.ok()) << checked.findings.problems().front().text;
    EXPECT_EQ(checked.report.freeStrokes.size(), 2u);
}

TEST_P(TamperedLine, FailsTheCheckNamingTheLine) {
    std::vector<std::string> lines = SplitLines(GoodReport());
    const std::int64_t number = GetParam();
    const Tampering t = Tamper(number, lines[static_cast<std::size_t>(number - 1)]);
    lines[static_cast<std::size_t>(number - 1)] = t.line;
    const CheckedReport checked = CheckBytes(JoinLines(lines));
    EXPECT_FALSE(checked.findings.ok());
    EXPECT_THAT(ProblemLines(checked.findings), ::testing::Contains(t.namedLine))
        << "line " << number << " changed to " << t.line;
}

INSTANTIATE_TEST_SUITE_P(EveryLine, TamperedLine,
                         ::testing::Range<std::int64_t>(
                             1, static_cast<std::int64_t>(SplitLines(GoodReport()).size()) + 1));

// Moving a counted first-pass point across its edge changes what the statistics say; the check
// names the statistics that no longer agree.
TEST(TamperedReport, APointMovedAcrossTheEdgeFailsItsStatistics) {
    const CheckedReport good = CheckBytes(GoodReport());
    for (std::size_t edge = 0; edge < 4; ++edge) {
        const PointSection& section = good.report.arrays[edge];
        const StoredStats& stats = good.report.stats[edge];
        std::vector<std::string> lines = SplitLines(GoodReport());
        const std::size_t at = static_cast<std::size_t>(section.firstPointLine) + 2;  // point 3
        std::string& line = lines[at - 1];
        const std::size_t comma = line.find(',');
        const bool alongY = GeometryOf(kEdges[edge]).alongIsY;
        line = alongY ? std::to_string(std::stoi(line.substr(0, comma)) + 100) + line.substr(comma)
                      : line.substr(0, comma + 1) +
                            std::to_string(std::stoi(line.substr(comma + 1)) + 100);
        const CheckedReport checked = CheckBytes(JoinLines(lines));
        EXPECT_THAT(ProblemLines(checked.findings), ::testing::Contains(stats.line(StatLine::Avg)))
            << "edge " << edge;
    }
}
