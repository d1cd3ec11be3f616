#include "report_tool/parallel_map.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

TEST(ParallelMap, ResultsKeepTheOrderOfTheInputs) {
    const auto squares =
        ParallelMap<std::string>(1000, [](std::size_t i) { return std::to_string(i * i); });
    ASSERT_EQ(squares.size(), 1000U);
    for (std::size_t i = 0; i < squares.size(); ++i) {
        EXPECT_EQ(squares[i], std::to_string(i * i));
    }
    EXPECT_TRUE(ParallelMap<int>(0, [](std::size_t) { return 1; }).empty());
}

TEST(ParallelMap, AFailureInAnyItemReachesTheCaller) {
    EXPECT_THROW(ParallelMap<int>(500,
                                  [](std::size_t i) {
                                      if (i == 321) {
                                          throw std::runtime_error("item 321");
                                      }
                                      return static_cast<int>(i);
                                  }),
                 std::runtime_error);
}

}  // namespace
