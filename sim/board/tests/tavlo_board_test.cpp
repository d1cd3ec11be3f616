#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "TAVLO.h"
#include "tavlo_sim.h"

namespace {

class TavloBoard : public ::testing::Test {
  protected:
    void SetUp() override { tavlo_sim::Reset(3); }
    void TearDown() override { tavlo_sim::Reset(); }

    CTAVLO2 sdk{false};
    CTAVLO2BoardSettings settings{nullptr};
    std::vector<std::string> journal;

    void RecordJournal() {
        tavlo_sim::SetJournalSink([this](std::string_view line) { journal.emplace_back(line); });
    }
};

TEST_F(TavloBoard, FreshBoardsHaveTheDefaultSettings) {
    for (int board = 1; board <= 3; ++board) {
        EXPECT_EQ(settings.TAVLOGetBoardIntSetting(TAVLO_BOARD_INT_SETTING_0, board), 0x32u);
        EXPECT_EQ(settings.TAVLOGetBoardIntSetting(TAVLO_BOARD_INT_SETTING_1, board), 0xCu);
        EXPECT_EQ(settings.TAVLOGetBoardIntSetting(TAVLO_BOARD_INT_SETTING_4, board), 0x1u);
    }
    EXPECT_EQ(sdk.TAVLOGetBoardCount(), 3);
    EXPECT_EQ(sdk.TAVLOGetCurrentBoard(), 1);
}

TEST_F(TavloBoard, SettingsKeepAll32BitsPerBoardAndSetting) {
    settings.TAVLOSetBoardIntSetting(TAVLO_BOARD_INT_SETTING_4, 2, 0x80000001u);
    settings.TAVLOSetBoardIntSetting(TAVLO_BOARD_INT_SETTING_0, 3, 0xFFFFFFFFu);
    EXPECT_EQ(settings.TAVLOGetBoardIntSetting(TAVLO_BOARD_INT_SETTING_4, 2), 0x80000001u);
    EXPECT_EQ(settings.TAVLOGetBoardIntSetting(TAVLO_BOARD_INT_SETTING_0, 3), 0xFFFFFFFFu);
    EXPECT_EQ(settings.TAVLOGetBoardIntSetting(TAVLO_BOARD_INT_SETTING_4, 1), 0x1u);
    EXPECT_EQ(settings.TAVLOGetBoardIntSetting(TAVLO_BOARD_INT_SETTING_0, 2), 0x32u);
    EXPECT_EQ(settings.TAVLOGetBoardIntSetting(TAVLO_BOARD_INT_SETTING_1, 2), 0xCu);
    EXPECT_EQ(tavlo_sim::Setting(2, 4), 0x80000001u);
}

TEST_F(TavloBoard, UnknownBoardsAndSettingsReadZeroAndIgnoreWrites) {
    settings.TAVLOSetBoardIntSetting(TAVLO_BOARD_INT_SETTING_0, 0, 5);
    settings.TAVLOSetBoardIntSetting(TAVLO_BOARD_INT_SETTING_0, 4, 5);
    settings.TAVLOSetBoardIntSetting(static_cast<_TAVLO_BOARD_INT_SETTING>(3), 1, 5);
    EXPECT_EQ(settings.TAVLOGetBoardIntSetting(TAVLO_BOARD_INT_SETTING_0, 0), 0u);
    EXPECT_EQ(settings.TAVLOGetBoardIntSetting(TAVLO_BOARD_INT_SETTING_0, 4), 0u);
    EXPECT_EQ(settings.TAVLOGetBoardIntSetting(static_cast<_TAVLO_BOARD_INT_SETTING>(3), 1), 0u);
    EXPECT_EQ(settings.TAVLOGetBoardIntSetting(TAVLO_BOARD_INT_SETTING_0, 1), 0x32u);
}

TEST_F(TavloBoard, EverySettingWriteIsJournaledEvenWhenNothingChanges) {
    RecordJournal();
    settings.TAVLOSetBoardIntSetting(TAVLO_BOARD_INT_SETTING_4, 1, 0x80000001u);
    settings.TAVLOSetBoardIntSetting(TAVLO_BOARD_INT_SETTING_0, 2, 0x32);
    settings.TAVLOSetBoardIntSetting(TAVLO_BOARD_INT_SETTING_1, 7, 0);
    tavlo_sim::SetSetting(1, 0, 1);  // the board's own change is no write
    EXPECT_EQ(journal, (std::vector<std::string>{"tavlo set board=1 setting=4 value=0x80000001",
                                                 "tavlo set board=2 setting=0 value=0x32",
                                                 "tavlo set board=7 setting=1 value=0x0"}));
}

TEST_F(TavloBoard, PensMapToTheirBoardsAndUnknownPointersToNone) {
    EXPECT_EQ(sdk.TAVLOGetBoardNumberFromPointerID(tavlo_sim::PenPointerId(1)), 1);
    EXPECT_EQ(sdk.TAVLOGetBoardNumberFromPointerID(tavlo_sim::PenPointerId(3)), 3);
    EXPECT_EQ(sdk.TAVLOGetBoardNumberFromPointerID(tavlo_sim::PenPointerId(4)), 0);
    for (int id : {0, 1, 16, 18, 34, -15, 4113, INT_MIN, INT_MAX}) {
        EXPECT_EQ(sdk.TAVLOGetBoardNumberFromPointerID(id), 0) << id;
    }
    EXPECT_EQ(tavlo_sim::PenPointerId(0), 0);
    EXPECT_EQ(tavlo_sim::PenPointerId(tavlo_sim::kMaxBoards + 1), 0);
}

TEST_F(TavloBoard, AnExplicitMappingWinsOverTheDefault) {
    tavlo_sim::MapPointer(1000, 2);
    tavlo_sim::MapPointer(tavlo_sim::PenPointerId(1), 3);
    EXPECT_EQ(sdk.TAVLOGetBoardNumberFromPointerID(1000), 2);
    EXPECT_EQ(sdk.TAVLOGetBoardNumberFromPointerID(tavlo_sim::PenPointerId(1)), 3);
    tavlo_sim::Reset(3);
    EXPECT_EQ(sdk.TAVLOGetBoardNumberFromPointerID(1000), 0);
}

TEST_F(TavloBoard, BoardsAddedLaterStartFromTheDefaultsAndRemovedOnesAreGone) {
    settings.TAVLOSetBoardIntSetting(TAVLO_BOARD_INT_SETTING_1, 3, 0);
    tavlo_sim::SetBoardCount(2);
    EXPECT_EQ(sdk.TAVLOGetBoardCount(), 2);
    EXPECT_EQ(sdk.TAVLOGetBoardNumberFromPointerID(tavlo_sim::PenPointerId(3)), 0);
    EXPECT_EQ(settings.TAVLOGetBoardIntSetting(TAVLO_BOARD_INT_SETTING_1, 3), 0u);
    tavlo_sim::SetBoardCount(4);
    EXPECT_EQ(settings.TAVLOGetBoardIntSetting(TAVLO_BOARD_INT_SETTING_1, 3), 0xCu);
    EXPECT_EQ(sdk.TAVLOGetBoardNumberFromPointerID(tavlo_sim::PenPointerId(4)), 4);

    tavlo_sim::SetBoardCount(-1);
    EXPECT_EQ(sdk.TAVLOGetBoardCount(), 0);
    tavlo_sim::SetBoardCount(INT_MAX);
    EXPECT_EQ(sdk.TAVLOGetBoardCount(), tavlo_sim::kMaxBoards);
}

TEST_F(TavloBoard, DisplayRectangleIsFilledTopLeftBottomRight) {
    tavlo_sim::SetDisplay(2, {-1920, 10, -1, 1090});
    int top = 1, left = 1, bottom = 1, right = 1;
    settings.TAVLOGetBoardDisplayRectangle(2, &top, &left, &bottom, &right);
    EXPECT_EQ((std::vector{top, left, bottom, right}), (std::vector{10, -1920, 1090, -1}));
    settings.TAVLOGetBoardDisplayRectangle(1, &top, &left, &bottom, &right);
    EXPECT_EQ((std::vector{top, left, bottom, right}), (std::vector{0, 0, 768, 1024}));
    settings.TAVLOGetBoardDisplayRectangle(9, &top, &left, &bottom, &right);
    EXPECT_EQ((std::vector{top, left, bottom, right}), (std::vector{0, 0, 0, 0}));
    settings.TAVLOGetBoardDisplayRectangle(2, nullptr, &left, nullptr, nullptr);
    EXPECT_EQ(left, -1920);
}

TEST_F(TavloBoard, NewBoardsTakeTheDefaultDisplay) {
    tavlo_sim::SetDefaultDisplay({100, 200, 900, 800});
    tavlo_sim::SetBoardCount(4);
    int top, left, bottom, right;
    settings.TAVLOGetBoardDisplayRectangle(4, &top, &left, &bottom, &right);
    EXPECT_EQ((std::vector{top, left, bottom, right}), (std::vector{200, 100, 800, 900}));
    settings.TAVLOGetBoardDisplayRectangle(3, &top, &left, &bottom, &right);
    EXPECT_EQ(right, 1024);
}

TEST_F(TavloBoard, CurrentBoardIsWhatTheBoardSetSays) {
    tavlo_sim::SetCurrentBoard(3);
    EXPECT_EQ(sdk.TAVLOGetCurrentBoard(), 3);
}

}  // namespace
