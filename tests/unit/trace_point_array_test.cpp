#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

#include "trace/trace_point_array.h"

TEST(TracePointArray, AppendReturnsOldSizeAndClearStartsOver) {
    TracePointArray a;
    EXPECT_EQ(a.append({1, 2}), 0u);
    EXPECT_EQ(a.append({3, 4}), 1u);
    EXPECT_EQ(a.last(), (BoardPoint{3, 4}));
    a.clear();
    EXPECT_EQ(a.size(), 0u);
    EXPECT_EQ(a.append({5, 6}), 0u);
}

TEST(TracePointArray, AccessOutsideTheRangeIsADefinedFailure) {
    TracePointArray a;
    EXPECT_THROW(a.element(0), std::invalid_argument);
    EXPECT_THROW(a.last(), std::invalid_argument);
    a.append({1, 1});
    EXPECT_THROW(a.element(1), std::invalid_argument);
    StrokeList s;
    EXPECT_THROW(s.lastStroke(), std::invalid_argument);
    EXPECT_THROW(s.element(0), std::invalid_argument);
}

TEST(StrokeList, PointsLandInTheNewestStrokeOnly) {
    StrokeList s;
    s.startStroke();
    s.lastStroke().append({1, 1});
    s.startStroke();
    EXPECT_EQ(s.size(), 2u);
    EXPECT_TRUE(s.lastStroke().empty());
    s.lastStroke().append({2, 2});
    EXPECT_EQ(s.element(0).size(), 1u);
    EXPECT_EQ(s.element(1).last(), (BoardPoint{2, 2}));
}

namespace {

bool Overlaps(const PointBox& a, const PointBox& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

// The ranges forEachRunNear reports for boxes that overlap `region`.
std::vector<std::pair<std::size_t, std::size_t>> RunsNear(const TracePointArray& points,
                                                          const PointBox& region) {
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    points.forEachRunNear(
        [&](const PointBox& b) { return Overlaps(b, region); },
        [&](std::size_t first, std::size_t last) { ranges.emplace_back(first, last); });
    return ranges;
}

std::size_t PointsIn(const std::vector<std::pair<std::size_t, std::size_t>>& ranges) {
    std::size_t n = 0;
    for (const auto& [first, last] : ranges) {
        n += last - first;
    }
    return n;
}

}  // namespace

TEST(TracePointArray, TheRunsNearARegionHoldEveryStepThatReachesIt) {
    std::mt19937 random(7);
    const auto uniform = [&](std::int32_t lo, std::int32_t hi) {
        return std::uniform_int_distribution<std::int32_t>(lo, hi)(random);
    };
    for (const int size : {0, 1, 2, 31, 32, 33, 64, 1023, 1024, 1025, 4000, 40000}) {
        std::vector<BoardPoint> pen;
        BoardPoint p{2000, 2000};
        for (int i = 0; i < size; ++i) {
            // A wandering pen that now and then jumps anywhere.
            p = uniform(0, 40) == 0 ? BoardPoint{uniform(-9000, 9000), uniform(-9000, 9000)}
                                    : BoardPoint{p.x + uniform(-30, 30), p.y + uniform(-30, 30)};
            pen.push_back(p);
        }
        // The first half point by point, asked for in between; the rest as one run, as a
        // report's reader appends them.
        TracePointArray points;
        const std::size_t half = pen.size() / 2;
        for (std::size_t i = 0; i < half; ++i) {
            points.append(pen[i]);
            if (i % 97 == 0) {
                RunsNear(points, PointBox{0, 0, 4096, 4096});
            }
        }
        points.append(pen.data() + half, pen.data() + pen.size());
        for (int q = 0; q < 40; ++q) {
            PointBox region;
            region.include(BoardPoint{uniform(-3000, 7000), uniform(-3000, 7000)});
            region.include(BoardPoint{region.left + uniform(0, 600), region.top + uniform(0, 600)});
            const auto ranges = RunsNear(points, region);
            std::vector<bool> covered(points.size());
            std::size_t end = 0;
            for (const auto& [first, last] : ranges) {
                // Ascending and apart: a range that could go on is reported as one.
                ASSERT_TRUE(first < last && last <= points.size()) << first << " " << last;
                ASSERT_TRUE(end == 0 || first > end) << first << " after " << end;
                std::fill(covered.begin() + static_cast<std::ptrdiff_t>(first),
                          covered.begin() + static_cast<std::ptrdiff_t>(last), true);
                end = last;
            }
            for (std::size_t i = 0; i < points.size(); ++i) {
                PointBox step;
                step.include(points.element(i));
                step.include(points.element(i == 0 ? 0 : i - 1));
                if (Overlaps(step, region)) {
                    ASSERT_TRUE(covered[i]) << "size " << size << " step to " << i;
                }
            }
        }
    }
}

TEST(TracePointArray, ALongTraceIsSearchedByLookingAtTheFewRunsNearTheRegion) {
    TracePointArray edge;
    for (std::int32_t i = 0; i < 100000; ++i) {
        edge.append({20 + i % 13, i});
    }
    // Eleven points of the edge: in at most two runs of 32.
    EXPECT_LE(PointsIn(RunsNear(edge, PointBox{0, 50000, 100, 50010})), 64u);
    EXPECT_TRUE(RunsNear(edge, PointBox{200, 0, 300, 100000}).empty());
}
