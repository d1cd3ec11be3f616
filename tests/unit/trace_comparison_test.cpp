#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <random>
#include <vector>

#include "analysis/across_interpolation.h"
#include "analysis/trace_comparison.h"
#include "support/edge_stats_check.h"
#include "support/naive_compare.h"
#include "support/trace_builder.h"

namespace {

// A second-pass record sets only count, max and avg.
void ExpectSameComparison(const EdgeStats& fast, const EdgeStats& naive) {
    EXPECT_TRUE(StatsEqual(fast, {naive.count, 0, naive.max, naive.avg, 0, 0, 0.0f}));
}

}  // namespace

TEST(InterpolateAcross, TruncatesTowardZeroInBothDirections) {
    EXPECT_EQ(InterpolateAcross(Trace({{200, 100}, {210, 120}}), {205, 115}, Edge::Left), 207);
    EXPECT_EQ(InterpolateAcross(Trace({{210, 100}, {200, 120}}), {205, 115}, Edge::Left), 203);
    // The same segments on a horizontal edge, with x and y exchanged.
    EXPECT_EQ(InterpolateAcross(Trace({{100, 200}, {120, 210}}), {115, 205}, Edge::Top), 207);
    EXPECT_EQ(InterpolateAcross(Trace({{100, 210}, {120, 200}}), {115, 205}, Edge::Bottom), 203);
}

TEST(InterpolateAcross, SegmentEndsAreInclusive) {
    const TracePointArray reference = Trace({{200, 100}, {210, 120}, {250, 140}});
    EXPECT_EQ(InterpolateAcross(reference, {0, 100}, Edge::Left), 200);
    EXPECT_EQ(InterpolateAcross(reference, {0, 120}, Edge::Left), 210);
    EXPECT_EQ(InterpolateAcross(reference, {0, 140}, Edge::Left), 250);
}

TEST(InterpolateAcross, FirstBracketingSegmentInArrayOrderWins) {
    // y = 0 is level with vertices 0 and 2; the first segment gives 100, the second 130.
    const TracePointArray reference = Trace({{100, 0}, {110, 50}, {130, 0}});
    EXPECT_EQ(InterpolateAcross(reference, {0, 0}, Edge::Right), 100);
    // Away from the vertices the first segment still wins: 105 rather than 120.
    EXPECT_EQ(InterpolateAcross(reference, {0, 25}, Edge::Right), 105);
}

TEST(InterpolateAcross, PointsBeyondTheEndsAreNotBracketed) {
    const TracePointArray reference = Trace({{200, 100}, {210, 120}});
    EXPECT_EQ(InterpolateAcross(reference, {205, 99}, Edge::Left), std::nullopt);
    EXPECT_EQ(InterpolateAcross(reference, {205, 121}, Edge::Left), std::nullopt);
    EXPECT_EQ(InterpolateAcross(Trace({{200, 100}}), {200, 100}, Edge::Left), std::nullopt);
    EXPECT_EQ(InterpolateAcross(Trace({}), {200, 100}, Edge::Left), std::nullopt);
}

TEST(InterpolateAcross, SegmentWithoutAlongExtentBracketsOnlyItsLevel) {
    const TracePointArray reference = Trace({{200, 100}, {300, 100}, {210, 120}});
    EXPECT_EQ(InterpolateAcross(reference, {0, 100}, Edge::Left), 200);
    EXPECT_EQ(InterpolateAcross(reference, {0, 110}, Edge::Left), 255);
}

TEST(InterpolateAcross, ExtremeCoordinatesStayInRange) {
    const TracePointArray reference = Trace({{kMin, kMin}, {kMax, kMax}});
    EXPECT_EQ(InterpolateAcross(reference, {0, kMax}, Edge::Left), kMax);
    EXPECT_EQ(InterpolateAcross(reference, {0, kMin}, Edge::Left), kMin);
    EXPECT_EQ(InterpolateAcross(Trace({{kMax, kMin}, {kMin, kMax}}), {0, kMax}, Edge::Right), kMin);
}

TEST(CompareTraces, MeasuresDistanceAcrossAtTheSameAlongPosition) {
    const EdgeStats up =
        CompareTraces(Trace({{205, 115}}), Trace({{200, 100}, {210, 120}}), 0, Edge::Left);
    EXPECT_EQ(up.count, 1u);
    EXPECT_EQ(up.max, 2u);
    EXPECT_EQ(up.avg, 2.0f);
    const EdgeStats down = CompareTraces(Trace({{205, 115}, {199, 110}}),
                                         Trace({{210, 100}, {200, 120}}), 0, Edge::Left);
    EXPECT_EQ(down.count, 2u);
    EXPECT_EQ(down.max, 6u);  // 199 against 210 + T(0.5 * -10) = 205
    EXPECT_EQ(down.avg, 4.0f);
}

TEST(CompareTraces, ReadsTheReferenceDirectionFromItsPoints) {
    // A left edge whose reference was traced upwards, a top edge traced rightwards.
    const EdgeStats left = CompareTraces(Trace({{0, 150}, {0, 110}}),
                                         Trace({{300, 200}, {200, 100}, {100, 0}}), 0, Edge::Left);
    EXPECT_EQ(left.count, 2u);
    EXPECT_EQ(left.max, 250u);
    EXPECT_EQ(left.avg, 230.0f);
    const EdgeStats top = CompareTraces(Trace({{150, 20}, {100, 20}, {0, 20}}),
                                        Trace({{0, 0}, {100, 10}, {200, 30}}), 0, Edge::Top);
    EXPECT_EQ(top.count, 3u);
    EXPECT_EQ(top.max, 20u);
    EXPECT_EQ(top.avg, 10.0f);
}

TEST(CompareTraces, PointsLevelWithAReferenceVertexAreCounted) {
    const TracePointArray reference = Trace({{200, 100}, {210, 120}, {250, 140}});
    const EdgeStats s =
        CompareTraces(Trace({{200, 100}, {200, 120}, {200, 140}}), reference, 0, Edge::Left);
    EXPECT_EQ(s.count, 3u);
    EXPECT_EQ(s.max, 50u);
    EXPECT_EQ(s.avg, 20.0f);
}

TEST(CompareTraces, UnbracketedPointsAndPointsBeforeTheStartAreSkipped) {
    const TracePointArray reference = Trace({{200, 100}, {210, 120}});
    const TracePointArray first = Trace({{0, 110}, {205, 90}, {205, 115}, {205, 130}});
    const EdgeStats s = CompareTraces(first, reference, 1, Edge::Left);
    EXPECT_EQ(s.count, 1u);
    EXPECT_EQ(s.max, 2u);
    EXPECT_EQ(s.avg, 2.0f);
}

TEST(CompareTraces, NothingBracketedGivesZeros) {
    const TracePointArray first = Trace({{205, 100}, {205, 115}});
    for (const TracePointArray& reference : {Trace({}), Trace({{200, 100}})}) {
        const EdgeStats s = CompareTraces(first, reference, 0, Edge::Left);
        EXPECT_EQ(s.count, 0u);
        EXPECT_EQ(s.max, 0u);
        EXPECT_EQ(s.avg, 0.0f);
    }
    const TracePointArray reference = Trace({{200, 100}, {210, 120}});
    for (int start : {2, 3, -1}) {
        const EdgeStats s = CompareTraces(first, reference, start, Edge::Left);
        EXPECT_EQ(s.count, 0u) << start;
        EXPECT_EQ(s.avg, 0.0f) << start;
    }
}

TEST(CompareTraces, ExtremeDistancesAreSummedWithoutOverflow) {
    const TracePointArray reference = Trace({{kMin, kMin}, {kMax, kMax}});
    const TracePointArray first = Trace({{kMin, kMax}, {kMin, kMax}, {kMin, kMax}});
    const EdgeStats s = CompareTraces(first, reference, 0, Edge::Left);
    EXPECT_EQ(s.count, 3u);
    EXPECT_EQ(s.max, 0xFFFFFFFFu);
    EXPECT_EQ(s.avg, 4294967295.0f);
}

// The binary search over the reference must give exactly what the segment-by-segment
// definition gives: the same first bracketing segment for points level with a vertex, both
// directions of travel on every edge, and references that do not run one way at all.
TEST(CompareTraces, AgreesWithTheSegmentScanOnRandomTraces) {
    enum Shape { Increasing, Decreasing, Unordered };
    for (std::uint32_t seed : {1u, 2u, 3u, 4u}) {
        std::mt19937 random(seed);
        auto uniform = [&](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        for (int trial = 0; trial < 2000; ++trial) {
            const Edge edge = kEdges[uniform(0, 3)];
            const bool alongIsY = edge == Edge::Left || edge == Edge::Right;
            auto point = [&](int along, int across) {
                return alongIsY ? BoardPoint{across, along} : BoardPoint{along, across};
            };
            const auto shape = static_cast<Shape>(uniform(0, 2));
            TracePointArray reference;
            std::vector<int> levels;
            int along = uniform(0, 40);
            for (int i = uniform(0, 30); i > 0; --i) {
                levels.push_back(along);
                reference.append(point(along, uniform(-60, 60)));
                const int step = uniform(1, 4);
                along += shape == Increasing ? step : shape == Decreasing ? -step : uniform(-3, 3);
            }
            TracePointArray first;
            for (int i = uniform(0, 30); i > 0; --i) {
                // Half the points level with a reference vertex, the rest anywhere near it.
                const bool onVertex = !levels.empty() && uniform(0, 1) == 0;
                const int at =
                    onVertex ? levels[uniform(0, int(levels.size()) - 1)] : uniform(-100, 140);
                first.append(point(at, uniform(-60, 60)));
            }
            const int start = uniform(-2, int(first.size()) + 2);
            SCOPED_TRACE(testing::Message() << "seed " << seed << " trial " << trial);
            ExpectSameComparison(CompareTraces(first, reference, start, edge),
                                 NaiveCompareTraces(first, reference, start, edge));
        }
    }
}
