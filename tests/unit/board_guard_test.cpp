// Taking the boards over for a test and giving them back, with the driver window faked by the
// headless host; the journal holds the SDK's settings writes and the driver messages in order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/constants.h"
#include "support/trace_fixture.h"

namespace {
std::vector<std::string> From(const std::vector<std::string>& journal, std::size_t first) {
    return {journal.begin() + static_cast<std::ptrdiff_t>(first), journal.end()};
}
}  // namespace

class BoardGuard : public TraceTest {
  protected:
    void SetUp() override {
        host.driver.present = true;
        host.driver.states = {{1, true}, {2, false}, {3, true}};
        tavlo_sim::SetSetting(1, 0, 7);
        tavlo_sim::SetSetting(1, 1, 8);
        tavlo_sim::SetSetting(1, 4, 0x80000001u);  // top bit set
        tavlo_sim::SetSetting(2, 0, 21);
        tavlo_sim::SetSetting(2, 1, 22);
        tavlo_sim::SetSetting(2, 4, 24);
        tavlo_sim::SetSetting(3, 0, 31);
        tavlo_sim::SetSetting(3, 1, 32);
        tavlo_sim::SetSetting(3, 4, 34);
    }
};

TEST_F(BoardGuard, EveryBoardIsSwitchedOffForTheTest) {
    Open();
    for (int board = 1; board <= 3; ++board) {
        for (int setting : {0, 1, 4}) {
            EXPECT_EQ(tavlo_sim::Setting(board, setting), 0u) << board << "/" << setting;
        }
        EXPECT_FALSE(host.driver.states[board]);
    }
    ASSERT_EQ(dlg->m_savedBoardSettings.size(), 3u);
    EXPECT_EQ(static_cast<std::uint32_t>(dlg->m_savedBoardSettings[0].intSetting4), 0x80000001u);
    EXPECT_FALSE(dlg->m_savedBoardSettings[1].driverState);
}

TEST_F(BoardGuard, AnInteractiveRunGivesEachBoardBackItsOwnValuesInBoardOrder) {
    Open();
    StrokeY(20, 100, 2000);
    const std::size_t before = host.journal.size();
    host.pressKey(fw::kVkEscape);
    EXPECT_EQ(From(host.journal, before), (std::vector<std::string>{
                                              "tavlo set board=1 setting=0 value=0x7",
                                              "tavlo set board=1 setting=1 value=0x8",
                                              "tavlo set board=1 setting=4 value=0x80000001",
                                              "board50 set board=1 state=1",
                                              "tavlo set board=2 setting=0 value=0x15",
                                              "tavlo set board=2 setting=1 value=0x16",
                                              "tavlo set board=2 setting=4 value=0x18",
                                              "board50 set board=2 state=0",
                                              "tavlo set board=3 setting=0 value=0x1F",
                                              "tavlo set board=3 setting=1 value=0x20",
                                              "tavlo set board=3 setting=4 value=0x22",
                                              "board50 set board=3 state=1",
                                          }));
    EXPECT_EQ(tavlo_sim::Setting(1, 4), 0x80000001u);
}

TEST_F(BoardGuard, AServiceRunLeavesTheTracedBoardsDriverStateOn) {
    host.driver.states[2] = false;
    Open(false);
    StrokeY(20, 10, 4080, 2);
    StrokeX(4076, 10, 4080, 2);
    StrokeY(4076, 4080, 10, 2);
    StrokeX(20, 4080, 10, 2);
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
    EXPECT_FALSE(host.driver.states[2]);
}

TEST_F(BoardGuard, WithoutADriverWindowSettingsAreRestoredAndNoDriverMessageIsSent) {
    host.driver.present = false;
    Open();
    host.pressKey(fw::kVkEscape);
    for (const std::string& line : host.journal) {
        EXPECT_EQ(line.rfind("board50", 0), std::string::npos) << line;
    }
    EXPECT_EQ(tavlo_sim::Setting(3, 4), 34u);
    EXPECT_TRUE(dlg->m_savedBoardSettings[1].driverState);
}

TEST_F(BoardGuard, BoardsThatJoinGetDefaultsAndBoardsThatLeaveAreSkipped) {
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

TEST_F(BoardGuard, PenEventsStopReachingTheTestOnceTheWindowGoes) {
    Open();
    host.pressKey(fw::kVkEscape);
    EXPECT_EQ(tavlo_sim::AttachedWindow(), nullptr);
    tavlo_sim::QueueBoardPen(tavlo_sim::PenAction::Down, 1, 20, 20);
    host.pump();
    EXPECT_TRUE(dlg->m_tracePoints[0].empty());
}

TEST_F(BoardGuard, ClosingTheWindowMidTestStillRestoresEveryBoard) {
    Open();
    StrokeY(20, 100, 2000);
    host.close();  // system menu or Alt+F4
    EXPECT_FALSE(host.isOpen(*dlg));
    EXPECT_EQ(host.mainResult(), fw::kIdCancel);
    EXPECT_EQ(tavlo_sim::Setting(2, 4), 24u);
    EXPECT_FALSE(host.driver.states[2]);
    EXPECT_TRUE(host.driver.states[3]);
    EXPECT_TRUE(dlg->m_reportPath.empty());
}
