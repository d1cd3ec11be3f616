// How much of an edge a trace covers, and which stretches no point covers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "report_tool/grading/edge_coverage.h"
#include "support/trace_builder.h"

using ::testing::ElementsAre;

TEST(Coverage, ATraceEndedByTheTimeOutLeavesTheFarEndUntraced) {
    const EdgeCoverage c =
        CoverageOf(Trace({{100, 4070}, {400, 4072}, {2000, 4075}}), Edge::Bottom);
    EXPECT_THAT(c.traced, ElementsAre(Stretch{100, 2000}));
    EXPECT_THAT(c.untraced, ElementsAre(Stretch{0, 100}, Stretch{2000, 4096}));
    EXPECT_DOUBLE_EQ(c.percent, 100.0 * 1900 / 4096);
    EXPECT_TRUE(c.endedByTimeOut);
}

TEST(Coverage, AnEdgeTracedUpwardsToItsFarEndIsCoveredBetweenItsEnds) {
    const EdgeCoverage c =
        CoverageOf(Trace({{4076, 4000}, {4075, 2000}, {4077, 299}}), Edge::Right);
    EXPECT_THAT(c.untraced, ElementsAre(Stretch{0, 299}, Stretch{4000, 4096}));
    EXPECT_FALSE(c.endedByTimeOut);
    // 300 units short of the far end is a time-out; 299 is the far end.
    EXPECT_TRUE(CoverageOf(Trace({{4076, 4000}, {4075, 300}}), Edge::Right).endedByTimeOut);
}

TEST(Coverage, NoPointsOrOnePointCoverNothing) {
    EdgeCoverage c = CoverageOf(Trace({}), Edge::Left);
    EXPECT_THAT(c.untraced, ElementsAre(Stretch{0, 4096}));
    EXPECT_EQ(c.percent, 0.0);
    EXPECT_FALSE(c.endedByTimeOut);
    c = CoverageOf(Trace({{20, 500}}), Edge::Left);
    EXPECT_EQ(c.percent, 0.0);
    EXPECT_TRUE(c.endedByTimeOut);
}

TEST(Coverage, StretchesOffTheBoardAndOutOfOrderAreClippedAndMerged) {
    const EdgeCoverage c = CoverageOf(
        Trace({{-5000, 0}, {kMin, 0}, {3000, 0}, {2500, 0}, {3500, 0}, {kMax, 0}}), Edge::Top);
    EXPECT_THAT(c.traced, ElementsAre(Stretch{0, 4096}));
    EXPECT_EQ(c.percent, 100.0);
}
