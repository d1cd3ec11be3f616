#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

#include "analysis/across_interpolation.h"
#include "analysis/trace_comparison.h"
#include "support/edge_stats_check.h"
#include "support/naive_compare.h"
#include "support/trace_builder.h"

struct Interpolation {
    TracePointArray reference;
    BoardPoint point;
    Edge edge;
    std::optional<std::int32_t> across;
};

TEST(InterpolateAcross, TruncatesTowardZeroTakesTheFirstBracketingSegmentAndNothingBeyond) {
    const TracePointArray three = Trace({{200, 100}, {210, 120}, {250, 140}});
    const Interpolation cases[] = {
        {Trace({{200, 100}, {210, 120}}), {205, 115}, Edge::Left, 207},
        {Trace({{210, 100}, {200, 120}}), {205, 115}, Edge::Left, 203},
        // The same segments on a horizontal edge, with x and y exchanged.
        {Trace({{100, 200}, {120, 210}}), {115, 205}, Edge::Top, 207},
        {Trace({{100, 210}, {120, 200}}), {115, 205}, Edge::Bottom, 203},
        // Segment ends are inclusive.
        {three, {0, 100}, Edge::Left, 200},
        {three, {0, 120}, Edge::Left, 210},
        {three, {0, 140}, Edge::Left, 250},
        // y = 0 and y = 25 lie on the first segment and on the second: the first wins.
        {Trace({{100, 0}, {110, 50}, {130, 0}}), {0, 0}, Edge::Right, 100},
        {Trace({{100, 0}, {110, 50}, {130, 0}}), {0, 25}, Edge::Right, 105},
        // A segment without extent along the edge brackets only its own level.
        {Trace({{200, 100}, {300, 100}, {210, 120}}), {0, 100}, Edge::Left, 200},
        {Trace({{200, 100}, {300, 100}, {210, 120}}), {0, 110}, Edge::Left, 255},
        {three, {205, 99}, Edge::Left, std::nullopt},
        {three, {205, 141}, Edge::Left, std::nullopt},
        {Trace({{200, 100}}), {200, 100}, Edge::Left, std::nullopt},
        {Trace({}), {200, 100}, Edge::Left, std::nullopt},
        // Extreme coordinates stay in range.
        {Trace({{kMin, kMin}, {kMax, kMax}}), {0, kMax}, Edge::Left, kMax},
        {Trace({{kMin, kMin}, {kMax, kMax}}), {0, kMin}, Edge::Left, kMin},
        {Trace({{kMax, kMin}, {kMin, kMax}}), {0, kMax}, Edge::Right, kMin},
    };
    for (const Interpolation& c : cases) {
        EXPECT_EQ(InterpolateAcross(c.reference, c.point, c.edge), c.across)
            << c.point.x << "," << c.point.y << " on edge " << static_cast<int>(c.edge);
    }
}

TEST(CompareTraces, MeasuresDistanceAcrossAtTheSameAlongPosition) {
    const EdgeStats down = CompareTraces(Trace({{205, 115}, {199, 110}}),
                                         Trace({{210, 100}, {200, 120}}), 0, Edge::Left);
    EXPECT_EQ(down.count, 2u);
    EXPECT_EQ(down.max, 6u);  // 199 against 210 + T(0.5 * -10) = 205
    EXPECT_EQ(down.avg, 4.0f);
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
            // A second-pass record sets only count, max and avg.
            const EdgeStats naive = NaiveCompareTraces(first, reference, start, edge);
            EXPECT_TRUE(StatsEqual(CompareTraces(first, reference, start, edge),
                                   {naive.count, 0, naive.max, naive.avg, 0, 0, 0.0f}));
        }
    }
}
