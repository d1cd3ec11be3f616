// Taking the boards over for a test and giving them back, with the driver window faked by the
// headless host; the journal holds the SDK's settings writes and the driver messages in order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/constants.h"
#include "support/trace_fixture.h"

using BoardGuard = BoardsTest;

TEST_F(BoardGuard, EveryBoardIsSwitchedOffForTheTestAndItsOwnValuesKeptWhole) {
    Open();
    for (int board = 1; board <= 3; ++board) {
        ExpectSwitchedOff(board);
        EXPECT_FALSE(host.driver.states[board]);
    }
    ASSERT_EQ(dlg->m_savedBoardSettings.size(), 3u);
    EXPECT_EQ(static_cast<std::uint32_t>(dlg->m_savedBoardSettings[1].intSetting4), 0x80000024u);
    EXPECT_FALSE(dlg->m_savedBoardSettings[1].driverState);
}

TEST_F(BoardGuard, AnInteractiveRunGivesEachBoardBackItsOwnValuesInBoardOrder) {
    Open();
    StrokeY(20, 100, 2000);
    const auto before = static_cast<std::ptrdiff_t>(host.journal.size());
    host.pressKey(fw::kVkEscape);
    EXPECT_EQ(std::vector<std::string>(host.journal.begin() + before, host.journal.end()),
              (std::vector<std::string>{
                  "tavlo set board=1 setting=0 value=0xA",
                  "tavlo set board=1 setting=1 value=0xB",
                  "tavlo set board=1 setting=4 value=0xE",
                  "board50 set board=1 state=1",
                  "tavlo set board=2 setting=0 value=0x14",
                  "tavlo set board=2 setting=1 value=0x15",
                  "tavlo set board=2 setting=4 value=0x80000024",
                  "board50 set board=2 state=0",
                  "tavlo set board=3 setting=0 value=0x1E",
                  "tavlo set board=3 setting=1 value=0x1F",
                  "tavlo set board=3 setting=4 value=0x22",
                  "board50 set board=3 state=1",
              }));
}

TEST_F(BoardGuard, AServiceRunLeavesTheTracedBoardsDriverStateOn) {
    Open(false);
    TraceFourEdges(20, 2);
    EXPECT_FALSE(host.isOpen(*dlg));
    EXPECT_TRUE(host.driver.states[1]);
    EXPECT_TRUE(host.driver.states[2]);
    EXPECT_TRUE(host.driver.states[3]);
    EXPECT_TRUE(tavlo_sim::LastOrientPoints(2).has_value());
    EXPECT_FALSE(tavlo_sim::LastOrientPoints(1).has_value());
}

TEST_F(BoardGuard, AServiceRunWithoutAnyPenRestoresEverySavedState) {
    Open(false);
    host.pressKey(fw::kVkEscape);
    EXPECT_EQ(dlg->m_activeBoard, 0);
    ExpectOwnValues();
}

TEST_F(BoardGuard, WithoutADriverWindowSettingsAreRestoredAndNoDriverMessageIsSent) {
    host.driver.present = false;
    Open();
    host.pressKey(fw::kVkEscape);
    for (const std::string& line : host.journal) {
        EXPECT_EQ(line.rfind("board50", 0), std::string::npos) << line;
    }
    ExpectOwnValues();
    EXPECT_TRUE(dlg->m_savedBoardSettings[1].driverState);
}

TEST_F(BoardGuard, ABoardThatJoinedDuringTheTestGetsTheDefaults) {
    Open();
    tavlo_sim::SetBoardCount(4);
    host.pressKey(fw::kVkEscape);
    EXPECT_EQ(tavlo_sim::Setting(4, 0), 50u);
    EXPECT_EQ(tavlo_sim::Setting(4, 1), 12u);
    EXPECT_EQ(tavlo_sim::Setting(4, 4), 1u);
    EXPECT_TRUE(host.driver.states[4]);
}

TEST_F(BoardGuard, NoBoardsMeansNothingSavedOrRestored) {
    tavlo_sim::SetBoardCount(0);
    Open();
    host.pressKey(fw::kVkEscape);
    EXPECT_TRUE(dlg->m_savedBoardSettings.empty());
    EXPECT_TRUE(host.journal.empty());
}
