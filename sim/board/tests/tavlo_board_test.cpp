// The board set as the program and the end-to-end checks read it: settings per board with every
// write journalled, pens mapped to their boards, orientation points copied during the hand-over,
// and the state text that carries all of it into the next process.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "TAVLO.h"
#include "tavlo_sim.h"

namespace {

using tavlo_sim::EdgePoints;
using tavlo_sim::OrientPoints;

class TavloBoard : public ::testing::Test {
  protected:
    void SetUp() override {
        tavlo_sim::Reset(3);
        tavlo_sim::SetJournalSink([this](std::string_view line) { journal.emplace_back(line); });
    }
    void TearDown() override { tavlo_sim::Reset(); }

    unsigned Get(_TAVLO_BOARD_INT_SETTING setting, int board) {
        return settings.TAVLOGetBoardIntSetting(setting, board);
    }

    CTAVLO2 sdk{false};
    CTAVLO2BoardSettings settings{nullptr};
    std::vector<std::string> journal;
};

TEST_F(TavloBoard, SettingsAreKeptPerBoardAndEveryWriteIsJournalled) {
    settings.TAVLOSetBoardIntSetting(TAVLO_BOARD_INT_SETTING_4, 2, 0x80000001u);
    settings.TAVLOSetBoardIntSetting(TAVLO_BOARD_INT_SETTING_0, 3, 0x32);  // the value it had
    tavlo_sim::SetSetting(1, 1, 0);  // the board's own change is no write
    EXPECT_EQ(Get(TAVLO_BOARD_INT_SETTING_4, 2), 0x80000001u);
    EXPECT_EQ(Get(TAVLO_BOARD_INT_SETTING_4, 1), 0x1u);
    EXPECT_EQ(Get(TAVLO_BOARD_INT_SETTING_0, 2), 0x32u);
    EXPECT_EQ(Get(TAVLO_BOARD_INT_SETTING_1, 3), 0xCu);
    EXPECT_EQ(journal, (std::vector<std::string>{"tavlo set board=2 setting=4 value=0x80000001",
                                                 "tavlo set board=3 setting=0 value=0x32"}));
}

TEST_F(TavloBoard, EachPenMapsToItsBoardAndEveryOtherPointerToNone) {
    EXPECT_EQ(sdk.TAVLOGetBoardNumberFromPointerID(17), 1);
    EXPECT_EQ(sdk.TAVLOGetBoardNumberFromPointerID(49), 3);
    for (int id : {65, 0, 1, 16, 18, -15, INT_MIN, INT_MAX}) {  // 65: board 4, not attached
        EXPECT_EQ(sdk.TAVLOGetBoardNumberFromPointerID(id), 0) << id;
    }
}

TEST_F(TavloBoard, OrientationPointsAreCopiedDuringTheHandOver) {
    {
        std::vector<float> xs = {12, 14, 15};
        std::vector<float> ys = {0, 300, 600};
        std::vector<float*> rows = {xs.data(), ys.data()};
        CEdgeOrientPoints record;
        record.m_left = {rows.data(), 2, 3};
        record.m_top = {nullptr, 2, 0};  // an edge nobody traced
        settings.TAVLOSetEdgeOrientPoints(2, record);
        std::fill(xs.begin(), xs.end(), -1.0f);  // the caller's rows are its own again
    }
    EXPECT_EQ(tavlo_sim::LastOrientPoints(2),
              (OrientPoints{{}, {}, {{12, 14, 15}, {0, 300, 600}}, {}}));
    EXPECT_FALSE(tavlo_sim::LastOrientPoints(1).has_value());
}

TEST_F(TavloBoard, TheStateTextCarriesTheBoardSetIntoTheNextProcess) {
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
    int top = 0, left = 0, bottom = 0, right = 0;
    settings.TAVLOGetBoardDisplayRectangle(2, &top, &left, &bottom, &right);
    EXPECT_EQ((std::vector{left, top, right, bottom}), (std::vector{-1920, -8, 0, 1072}));
    EXPECT_EQ(Get(TAVLO_BOARD_INT_SETTING_4, 3), 0x80000001u);
    EXPECT_EQ(tavlo_sim::JournalPath(), "Z:\\tmp\\run one\\journal.txt");
    EXPECT_FALSE(tavlo_sim::MousePen());
    EXPECT_EQ(tavlo_sim::LastOrientPoints(2)->left, (EdgePoints{{12.25f, 1e-7f}, {-0.0f, 4096}}));
    EXPECT_EQ(tavlo_sim::StateText(), text);
}

}  // namespace
