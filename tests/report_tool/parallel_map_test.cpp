// Reports read on every core: results in the order of the inputs, and a failure not lost.
#include "report_tool/parallel_map.h"

#include <gtest/gtest.h>

#include <numeric>
#include <stdexcept>

TEST(ParallelMap, ResultsKeepTheOrderOfTheInputs) {
    std::vector<std::size_t> inOrder(1000);
    std::iota(inOrder.begin(), inOrder.end(), 0);
    EXPECT_EQ(ParallelMap<std::size_t>(1000, [](std::size_t i) { return i; }), inOrder);
    EXPECT_TRUE(ParallelMap<int>(0, [](std::size_t) { return 1; }).empty());
}

TEST(ParallelMap, AFailureInAnyItemReachesTheCaller) {
    const auto failAt321 = [](std::size_t i) {
        return i == 321 ? throw std::runtime_error("item 321") : static_cast<int>(i);
    };
    EXPECT_THROW(ParallelMap<int>(500, failAt321), std::runtime_error);
}
