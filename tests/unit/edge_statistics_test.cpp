// Where a trace starts, the statistics of an edge from there, and the verdict by spread.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "analysis/edge_geometry.h"
#include "analysis/edge_statistics.h"
#include "analysis/edge_verdict.h"
#include "support/edge_stats_check.h"
#include "support/trace_builder.h"

namespace {
int StartOf(const TracePointArray& a, Edge edge) {
    const EdgeGeometry geometry = GeometryOf(edge);
    return FindTraceStart(a, geometry.xLimit, geometry.yLimit);
}
}  // namespace

TEST(FindTraceStart, SkipsPointsThatHaveNotMovedMoreThan10AlongAndAtAllAcross) {
    const TracePointArray bottom = Trace({{0, 4000}, {5, 4001}, {11, 4002}, {20, 4004}});
    EXPECT_EQ(StartOf(Trace({{100, 0}, {101, 5}, {102, 11}, {104, 20}}), Edge::Left), 2);
    EXPECT_EQ(StartOf(Trace({{100, 4000}, {101, 3995}, {102, 3989}}), Edge::Right), 2);
    EXPECT_EQ(StartOf(bottom, Edge::Bottom), 2);  // horizontal edges exchange the limits
    EXPECT_EQ(StartOf(bottom, Edge::Top), 2);
    EXPECT_EQ(StartOf(bottom, Edge::Left), 0);
    // A trace that never moves across starts at 0, as does one without points.
    EXPECT_EQ(StartOf(Trace({{100, 0}, {100, 10}, {100, 30}}), Edge::Left), 0);
    EXPECT_EQ(StartOf(Trace({}), Edge::Left), 0);
    // Differences beyond 32 bits do not wrap.
    const TracePointArray extremes = Trace({{kMin, kMin}, {kMax, kMax}});
    EXPECT_EQ(FindTraceStart(extremes, 0xFFFFFFFEu, 0xFFFFFFFEu), 1);
    EXPECT_EQ(FindTraceStart(extremes, 0xFFFFFFFFu, 0), 0);
}

struct StatsCase {
    const char* name;
    TracePointArray points;
    int start;
    Edge edge;
    EdgeStats expected;
};

class EdgeStatistics : public ::testing::TestWithParam<StatsCase> {};

TEST_P(EdgeStatistics, AreTakenFromTheStartIndexOn) {
    const StatsCase& c = GetParam();
    EXPECT_TRUE(StatsEqual(ComputeEdgeStats(c.points, c.start, c.edge), c.expected));
}

constexpr float kNoMean = std::numeric_limits<float>::quiet_NaN();
const EdgeStats kNoPoints{0, 4096, 0, kNoMean, 4096, 0, kNoMean};

INSTANTIATE_TEST_SUITE_P(
    Edges, EdgeStatistics,
    ::testing::Values(
        StatsCase{"FromTheStartIndex",
                  Trace({{100, 0}, {101, 5}, {102, 11}, {104, 20}}),
                  2,
                  Edge::Left,
                  {2, 102, 104, 103.0f, 9, 9, 4.5f}},
        // 30 units in three points: the mean step divides by the points, not the steps
        StatsCase{"MeanStepPerPoint",
                  Trace({{100, 0}, {100, 10}, {100, 30}}),
                  0,
                  Edge::Left,
                  {3, 100, 100, 100.0f, 10, 20, 10.0f}},
        StatsCase{"OnePointHasNoStep",
                  Trace({{37, 2000}}),
                  0,
                  Edge::Left,
                  {1, 37, 37, 37.0f, 4096, 0, 0.0f}},
        StatsCase{"BottomMeasuresYAndStepsInX",
                  Trace({{0, 4000}, {50, 4010}, {120, 3990}}),
                  0,
                  Edge::Bottom,
                  {3, 3990, 4010, 4000.0f, 50, 70, 40.0f}},
        // traced right to left: the steps are distances, not signed differences
        StatsCase{"TopStepsAreDistances",
                  Trace({{4000, 5}, {3900, 20}, {3850, 2}}),
                  0,
                  Edge::Top,
                  {3, 2, 20, 9.0f, 50, 100, 50.0f}},
        StatsCase{"NoPoints", Trace({}), 0, Edge::Top, kNoPoints},
        StatsCase{"StartAtTheEnd", Trace({{1, 0}, {2, 10}}), 2, Edge::Left, kNoPoints},
        StatsCase{"StartBeyondTheEnd", Trace({{1, 0}, {2, 10}}), 3, Edge::Left, kNoPoints},
        StatsCase{"NegativeStart", Trace({{1, 0}, {2, 10}}), -1, Edge::Left, kNoPoints},
        StatsCase{"LowestStart", Trace({{1, 0}}), std::numeric_limits<int>::min(), Edge::Left,
                  kNoPoints},
        // -1 is 2^32 - 1 unsigned: the largest position, and the sum wraps to 9
        StatsCase{"PositionsAreUnsigned",
                  Trace({{-1, 0}, {10, 20}}),
                  0,
                  Edge::Left,
                  {2, 10, 0xFFFFFFFFu, 4.5f, 20, 20, 10.0f}},
        // no step comes below the initial bound; the step sum wraps to 2^32 - 2
        StatsCase{"StepsBetweenExtremes",
                  Trace({{0, kMin}, {0, kMax}, {0, kMin}}),
                  0,
                  Edge::Left,
                  {3, 0, 0, 0.0f, 4096, 0xFFFFFFFFu, static_cast<float>(4294967294.0 / 3.0)}}),
    [](const ::testing::TestParamInfo<StatsCase>& info) { return info.param.name; });

TEST(EdgeVerdict, SpreadDecidesTheVerdictInclusiveOfEachLimit) {
    const auto verdict = [](std::uint32_t min, std::uint32_t max) {
        return ClassifyEdge({1, min, max, 0, 0, 0, 0});
    };
    EXPECT_EQ(verdict(100, 100), EdgeVerdict::Passed);
    EXPECT_EQ(verdict(100, 150), EdgeVerdict::Passed);
    EXPECT_EQ(verdict(100, 151), EdgeVerdict::Correctable);
    EXPECT_EQ(verdict(100, 400), EdgeVerdict::Correctable);
    EXPECT_EQ(verdict(100, 401), EdgeVerdict::NotCorrectable);
    EXPECT_EQ(verdict(4096, 0), EdgeVerdict::NotCorrectable);  // an edge without points
    EXPECT_EQ(SpreadInFifties({1, 100, 249, 0, 0, 0, 0}), 2u);
    EXPECT_EQ(SpreadInFifties({1, 100, 250, 0, 0, 0, 0}), 3u);
}
