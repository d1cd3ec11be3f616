#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
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

EdgeStats StatsFromStart(const TracePointArray& a, Edge edge) {
    return ComputeEdgeStats(a, StartOf(a, edge), edge);
}

}  // namespace

TEST(FindTraceStart, SkipsPointsThatHaveNotLeftTheLandingPoint) {
    // Index 1 has moved only 5 along the edge.
    EXPECT_EQ(StartOf(Trace({{100, 0}, {101, 5}, {102, 11}, {104, 20}}), Edge::Left), 2);
    EXPECT_EQ(StartOf(Trace({{100, 4000}, {101, 3995}, {102, 3989}}), Edge::Right), 2);
}

TEST(FindTraceStart, TraceThatNeverMovesAcrossStartsAtZero) {
    EXPECT_EQ(StartOf(Trace({{100, 0}, {100, 10}, {100, 30}}), Edge::Left), 0);
    EXPECT_EQ(StartOf(Trace({{100, 0}}), Edge::Left), 0);
    EXPECT_EQ(StartOf(Trace({}), Edge::Left), 0);
}

TEST(FindTraceStart, HorizontalEdgesExchangeTheLimits) {
    const TracePointArray bottom = Trace({{0, 4000}, {5, 4001}, {11, 4002}, {20, 4004}});
    EXPECT_EQ(StartOf(bottom, Edge::Bottom), 2);
    EXPECT_EQ(StartOf(bottom, Edge::Top), 2);
    EXPECT_EQ(StartOf(bottom, Edge::Left), 0);
}

TEST(FindTraceStart, DifferencesBeyond32BitsDoNotWrap) {
    const TracePointArray a = Trace({{kMin, kMin}, {kMax, kMax}});
    EXPECT_EQ(FindTraceStart(a, 0xFFFFFFFEu, 0xFFFFFFFEu), 1);
    EXPECT_EQ(FindTraceStart(a, 0xFFFFFFFFu, 0), 0);
}

TEST(ComputeEdgeStats, CountsFromTheStartIndex) {
    const EdgeStats s =
        StatsFromStart(Trace({{100, 0}, {101, 5}, {102, 11}, {104, 20}}), Edge::Left);
    EXPECT_TRUE(StatsEqual(s, {2, 102, 104, 103.0f, 9, 9, 4.5f}));
}

TEST(ComputeEdgeStats, MeanGapDividesByPointsNotSteps) {
    const EdgeStats s = StatsFromStart(Trace({{100, 0}, {100, 10}, {100, 30}}), Edge::Left);
    EXPECT_EQ(s.count, 3u);
    EXPECT_EQ(s.minGap, 10u);
    EXPECT_EQ(s.maxGap, 20u);
    EXPECT_EQ(s.avgGap, 10.0f);
}

TEST(ComputeEdgeStats, SinglePointHasNoGap) {
    const EdgeStats s = StatsFromStart(Trace({{37, 2000}}), Edge::Left);
    EXPECT_TRUE(StatsEqual(s, {1, 37, 37, 37.0f, 4096, 0, 0.0f}));
    EXPECT_EQ(ClassifyEdge(s), EdgeVerdict::Passed);
}

TEST(ComputeEdgeStats, ConstantPositionHasNoSpread) {
    const EdgeStats s =
        StatsFromStart(Trace({{4090, 4000}, {4090, 3800}, {4090, 3500}}), Edge::Right);
    EXPECT_EQ(s.min, 4090u);
    EXPECT_EQ(s.max, 4090u);
    EXPECT_EQ(s.avg, 4090.0f);
    EXPECT_EQ(s.minGap, 200u);
    EXPECT_EQ(s.maxGap, 300u);
    EXPECT_EQ(ClassifyEdge(s), EdgeVerdict::Passed);
    EXPECT_EQ(SpreadInFifties(s), 0u);
}

TEST(ComputeEdgeStats, HorizontalEdgesMeasurePositionInYAndStepsInX) {
    const EdgeStats bottom =
        ComputeEdgeStats(Trace({{0, 4000}, {50, 4010}, {120, 3990}}), 0, Edge::Bottom);
    EXPECT_TRUE(StatsEqual(bottom, {3, 3990, 4010, 4000.0f, 50, 70, 40.0f}));

    // Traced right to left: the steps are distances, not signed differences.
    const EdgeStats top = ComputeEdgeStats(Trace({{4000, 5}, {3900, 20}, {3850, 2}}), 0, Edge::Top);
    EXPECT_TRUE(StatsEqual(top, {3, 2, 20, 9.0f, 50, 100, 50.0f}));
}

TEST(ComputeEdgeStats, EdgeWithoutPointsKeepsInitialBoundsAndHasNoMean) {
    const EdgeStats s = ComputeEdgeStats(Trace({}), 0, Edge::Top);
    constexpr float kNoMean = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(StatsEqual(s, {0, 4096, 0, kNoMean, 4096, 0, kNoMean}));
    EXPECT_EQ(ClassifyEdge(s), EdgeVerdict::NotCorrectable);
}

TEST(ComputeEdgeStats, StartIndexOutsideTheArrayGivesAnEmptyEdge) {
    const TracePointArray a = Trace({{1, 0}, {2, 10}, {3, 20}});
    for (int start : {3, 4, -1, std::numeric_limits<int>::min()}) {
        const EdgeStats s = ComputeEdgeStats(a, start, Edge::Left);
        EXPECT_EQ(s.count, 0u) << start;
        EXPECT_EQ(s.max, 0u) << start;
        EXPECT_TRUE(std::isnan(s.avg)) << start;
    }
}

TEST(ComputeEdgeStats, PositionsCompareAndSumAsUnsigned) {
    // -1 is 2^32 - 1 unsigned: the largest position, and the sum wraps to 9.
    const EdgeStats s = ComputeEdgeStats(Trace({{-1, 0}, {10, 20}}), 0, Edge::Left);
    EXPECT_EQ(s.max, 0xFFFFFFFFu);
    EXPECT_EQ(s.min, 10u);
    EXPECT_EQ(s.avg, 4.5f);
}

TEST(ComputeEdgeStats, StepsBetweenExtremeCoordinatesDoNotOverflow) {
    const EdgeStats s = ComputeEdgeStats(Trace({{0, kMin}, {0, kMax}, {0, kMin}}), 0, Edge::Left);
    EXPECT_EQ(s.minGap, 4096u);  // no step comes below the initial bound
    EXPECT_EQ(s.maxGap, 0xFFFFFFFFu);
    // The gap sum wraps in 32 bits: 2 * (2^32 - 1) is 2^32 - 2.
    EXPECT_EQ(s.avgGap, static_cast<float>(4294967294.0 / 3.0));
}
