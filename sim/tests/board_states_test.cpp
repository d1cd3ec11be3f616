#include "board50/board_states.h"

#include <gtest/gtest.h>

namespace board50 {
namespace {

TEST(BoardStates, ListGivesBoardsFromOne) {
    const auto states = BoardStates::Parse("1,0,1");
    ASSERT_TRUE(states);
    EXPECT_TRUE(states->get(1));
    EXPECT_FALSE(states->get(2));
    EXPECT_TRUE(states->get(3));
}

TEST(BoardStates, UnnamedBoardsAreOn) {
    const auto states = BoardStates::Parse("");
    ASSERT_TRUE(states);
    EXPECT_TRUE(states->get(1));
    EXPECT_TRUE(states->get(0));
    EXPECT_TRUE(states->get(-1));
}

TEST(BoardStates, SetIsRemembered) {
    auto states = *BoardStates::Parse("1");
    states.set(1, false);
    states.set(7, false);
    EXPECT_FALSE(states.get(1));
    EXPECT_FALSE(states.get(7));
    states.set(7, true);
    EXPECT_TRUE(states.get(7));
}

TEST(BoardStates, MalformedListsAreRejected) {
    for (const char* list : {"1,", ",1", "2", "1,,0", "on", "1 0", "01"}) {
        EXPECT_FALSE(BoardStates::Parse(list)) << list;
    }
}

TEST(BoardJournal, LinesMatchTheBoardJournalsStyle) {
    EXPECT_EQ(GetStateLine(2, true), "board50 get board=2 state=1");
    EXPECT_EQ(SetStateLine(2, 0), "board50 set board=2 state=0");
    EXPECT_EQ(SetStateLine(-1, 5), "board50 set board=-1 state=5");
}

}  // namespace
}  // namespace board50
