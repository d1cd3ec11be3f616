#include <gtest/gtest.h>

#include <string>

#include "TAVLO.h"
#include "tavlo_sim.h"

namespace {

using tavlo_sim::DisplayRect;
using tavlo_sim::EdgePoints;

class TavloStateText : public ::testing::Test {
  protected:
    void SetUp() override { tavlo_sim::Reset(); }
    void TearDown() override { tavlo_sim::Reset(); }

    CTAVLO2 sdk{false};
    CTAVLO2BoardSettings settings{nullptr};

    DisplayRect Display(int board) {
        DisplayRect r;
        settings.TAVLOGetBoardDisplayRectangle(board, &r.top, &r.left, &r.bottom, &r.right);
        return r;
    }
};

TEST_F(TavloStateText, ABoardSetSurvivesTheTripThroughItsText) {
    tavlo_sim::SetBoardCount(3);
    tavlo_sim::SetDisplay(2, {-1920, -8, 0, 1072});
    tavlo_sim::SetCurrentBoard(2);
    tavlo_sim::SetJournalPath("Z:\\tmp\\run one\\journal.txt");
    tavlo_sim::SetMousePen(false);
    settings.TAVLOSetBoardIntSetting(TAVLO_BOARD_INT_SETTING_4, 3, 0x80000001u);
    float xs[2] = {12.25f, 1e-7f};
    float ys[2] = {-0.0f, 4096};
    float* rows[2] = {xs, ys};
    CEdgeOrientPoints record;
    record.m_left = {rows, 2, 2};
    settings.TAVLOSetEdgeOrientPoints(2, record);
    const std::string text = tavlo_sim::StateText();

    tavlo_sim::Reset();
    tavlo_sim::LoadStateText(text);
    EXPECT_EQ(sdk.TAVLOGetBoardCount(), 3);
    EXPECT_EQ(sdk.TAVLOGetCurrentBoard(), 2);
    EXPECT_EQ(Display(2), (DisplayRect{-1920, -8, 0, 1072}));
    EXPECT_EQ(Display(3), DisplayRect{});
    EXPECT_EQ(settings.TAVLOGetBoardIntSetting(TAVLO_BOARD_INT_SETTING_4, 3), 0x80000001u);
    EXPECT_EQ(settings.TAVLOGetBoardIntSetting(TAVLO_BOARD_INT_SETTING_0, 3), 0x32u);
    EXPECT_EQ(tavlo_sim::JournalPath(), "Z:\\tmp\\run one\\journal.txt");
    EXPECT_FALSE(tavlo_sim::MousePen());
    const auto points = tavlo_sim::LastOrientPoints(2);
    ASSERT_TRUE(points.has_value());
    EXPECT_EQ(points->left, (EdgePoints{{12.25f, 1e-7f}, {-0.0f, 4096}}));
    EXPECT_EQ(points->top, EdgePoints{});
    EXPECT_EQ(tavlo_sim::StateText(), text);
}

// Tools outside the program read these lines; their spelling is the contract.
TEST_F(TavloStateText, WritesTheDocumentedKeys) {
    tavlo_sim::SetBoardCount(2);
    tavlo_sim::SetSetting(2, 4, 0x80000001u);
    float xs[3] = {12, 14, 15};
    float ys[3] = {0, 300, 600};
    float* rows[2] = {xs, ys};
    CEdgeOrientPoints record;
    record.m_left = {rows, 2, 3};
    settings.TAVLOSetEdgeOrientPoints(2, record);
    const std::string text = tavlo_sim::StateText();
    for (const char* line : {"\nboards=2\n", "\ncurrent=1\n", "\njournal=\n", "\nmouse_pen=1\n",
                             "\nboard.1.left=0\n", "\nboard.1.top=0\n", "\nboard.1.right=1024\n",
                             "\nboard.1.bottom=768\n", "\nboard.1.setting0=0x32\n",
                             "\nboard.1.setting1=0xC\n", "\nboard.2.setting4=0x80000001\n",
                             "\norient.2.left=12:0 14:300 15:600\n", "\norient.2.top=\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
}

TEST_F(TavloStateText, AnEmptyTextGivesOneDefaultBoard) {
    tavlo_sim::SetBoardCount(4);
    tavlo_sim::LoadStateText("");
    EXPECT_EQ(sdk.TAVLOGetBoardCount(), 1);
    EXPECT_EQ(sdk.TAVLOGetCurrentBoard(), 1);
    EXPECT_EQ(settings.TAVLOGetBoardIntSetting(TAVLO_BOARD_INT_SETTING_1, 1), 0xCu);
    EXPECT_TRUE(tavlo_sim::MousePen());
}

TEST_F(TavloStateText, BadLinesAndValuesLeaveTheDefaults) {
    tavlo_sim::SetDefaultDisplay({0, 0, 1920, 1080});
    tavlo_sim::LoadStateText(
        "# a hand-written file\r\n"
        "boards = 2\r\n"
        "current=two\r\n"
        "garbage line\r\n"
        "board.1.setting0=0x100000000\r\n"
        "board.1.setting1=12345\r\n"
        "board.1.setting4=-1\r\n"
        "board.2.setting4=0xffffffff\r\n"
        "board.2.left=10px\r\n"
        "board.2.top=20\r\n"
        "board.3.setting0=0x1\r\n"
        "mouse_pen=yes\r\n"
        "orient.1.left=1:2 3\r\n"
        "orient.x.left=1:2\r\n"
        "orient.2.middle=1:2\r\n"
        "orient.2.right= 5:6   7:8 \r\n");
    EXPECT_EQ(sdk.TAVLOGetBoardCount(), 2);
    EXPECT_EQ(sdk.TAVLOGetCurrentBoard(), 1);
    EXPECT_EQ(settings.TAVLOGetBoardIntSetting(TAVLO_BOARD_INT_SETTING_0, 1), 0x32u);
    EXPECT_EQ(settings.TAVLOGetBoardIntSetting(TAVLO_BOARD_INT_SETTING_1, 1), 12345u);
    EXPECT_EQ(settings.TAVLOGetBoardIntSetting(TAVLO_BOARD_INT_SETTING_4, 1), 0x1u);
    EXPECT_EQ(settings.TAVLOGetBoardIntSetting(TAVLO_BOARD_INT_SETTING_4, 2), 0xFFFFFFFFu);
    EXPECT_EQ(Display(2), (DisplayRect{0, 20, 1920, 1080}));
    EXPECT_TRUE(tavlo_sim::MousePen());
    EXPECT_FALSE(tavlo_sim::LastOrientPoints(1).has_value());
    const auto two = tavlo_sim::LastOrientPoints(2);
    ASSERT_TRUE(two.has_value());
    EXPECT_EQ(*two, (tavlo_sim::OrientPoints{{}, {}, {}, {{5, 7}, {6, 8}}}));
}

TEST_F(TavloStateText, BoardCountsOutsideTheRangeAreIgnored) {
    tavlo_sim::LoadStateText("boards=100000\n");
    EXPECT_EQ(sdk.TAVLOGetBoardCount(), 1);
    tavlo_sim::LoadStateText("boards=-2\n");
    EXPECT_EQ(sdk.TAVLOGetBoardCount(), 1);
    tavlo_sim::LoadStateText("boards=0\n");
    EXPECT_EQ(sdk.TAVLOGetBoardCount(), 0);
}

TEST_F(TavloStateText, ChangesThatTheTextHoldsAreAnnounced) {
    int changes = 0;
    tavlo_sim::SetChangeHook([&] { ++changes; });
    settings.TAVLOSetBoardIntSetting(TAVLO_BOARD_INT_SETTING_0, 1, 0x32);  // same value
    EXPECT_EQ(changes, 0);
    settings.TAVLOSetBoardIntSetting(TAVLO_BOARD_INT_SETTING_0, 1, 0);
    EXPECT_EQ(changes, 1);
    CEdgeOrientPoints empty;
    settings.TAVLOSetEdgeOrientPoints(1, empty);
    EXPECT_EQ(changes, 2);
    tavlo_sim::SetBoardCount(2);
    EXPECT_EQ(changes, 3);
}

}  // namespace
