#include <gtest/gtest.h>

#include <stdexcept>

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
