#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "TAVLO.h"
#include "tavlo_automation.h"
#include "tavlo_sim.h"

namespace {

struct Pen {
    char kind;
    int x, y, z, id;
    bool operator==(const Pen&) const = default;
};

class PenLog : public CTAVLO2EventHandler {
  public:
    std::vector<Pen> pens;
    void OnXYNonProjectedDown(int x, int y, int z, int id) override {
        pens.push_back({'d', x, y, z, id});
    }
    void OnXYNonProjectedMove(int x, int y, int z, int id) override {
        pens.push_back({'m', x, y, z, id});
    }
    void OnXYNonProjectedUp(int x, int y, int z, int id) override {
        pens.push_back({'u', x, y, z, id});
    }
};

class TavloAutomation : public ::testing::Test {
  protected:
    void SetUp() override {
        tavlo_sim::Reset(3);
        sdk.SetEventHandler(&log);
    }
    void TearDown() override { tavlo_sim::Reset(); }

    std::intptr_t Send(TavloAutomationRequest request) {
        return tavlo_sim::HandleAutomation(kTavloAutomationMagic, &request, sizeof request);
    }
    std::vector<Pen> Delivered() {
        sdk.TAVLOProcessData();
        return log.pens;
    }

    CTAVLO2 sdk{false};
    PenLog log;
};

TEST_F(TavloAutomation, PenRequestsQueueForTheBoardsPenOrTheGivenPointer) {
    int posts = 0;
    tavlo_sim::SetPostHook([&](HWND, unsigned) { ++posts; });
    CTAVLO2BoardSettings settings(nullptr);
    CTAVLOWnd wnd(reinterpret_cast<HWND>(0x10));
    settings.TAVLOAttachOrient(wnd);

    EXPECT_EQ(Send({TAVLO_AUTOMATION_PEN_DOWN, 2, 999, 100, 200, 7}), 1);
    EXPECT_EQ(Send({TAVLO_AUTOMATION_PEN_MOVE, 0, 999, 101, 201, 8}), 1);
    EXPECT_EQ(Send({TAVLO_AUTOMATION_PEN_UP, 3, 0, 4096, 0, 0}), 1);
    EXPECT_EQ(posts, 3);
    EXPECT_EQ(Delivered(), (std::vector<Pen>{{'d', 100, 200, 7, tavlo_sim::PenPointerId(2)},
                                             {'m', 101, 201, 8, 999},
                                             {'u', 4096, 0, 0, tavlo_sim::PenPointerId(3)}}));
    EXPECT_EQ(sdk.TAVLOGetBoardNumberFromPointerID(tavlo_sim::PenPointerId(2)), 2);
}

TEST_F(TavloAutomation, MalformedRequestsAreRefusedAndChangeNothing) {
    TavloAutomationRequest pen{TAVLO_AUTOMATION_PEN_DOWN, 1, 0, 1, 1, 0};
    EXPECT_EQ(tavlo_sim::HandleAutomation(kTavloAutomationMagic + 1, &pen, sizeof pen), 0);
    EXPECT_EQ(tavlo_sim::HandleAutomation(kTavloAutomationMagic, &pen, sizeof pen - 1), 0);
    EXPECT_EQ(tavlo_sim::HandleAutomation(kTavloAutomationMagic, nullptr, sizeof pen), 0);
    EXPECT_EQ(Send({0, 1, 0, 1, 1, 0}), 0);
    EXPECT_EQ(Send({99, 1, 0, 1, 1, 0}), 0);
    EXPECT_EQ(Send({TAVLO_AUTOMATION_PEN_DOWN, -1, 0, 1, 1, 0}), 0);
    EXPECT_EQ(Send({TAVLO_AUTOMATION_PEN_DOWN, kTavloAutomationMaxBoard + 1, 0, 1, 1, 0}), 0);
    EXPECT_EQ(Send({TAVLO_AUTOMATION_SET_BOARD_COUNT, INT_MAX, 0, 0, 0, 0}), 0);
    EXPECT_EQ(tavlo_sim::WaitingEventCount(), 0u);
    EXPECT_EQ(sdk.TAVLOGetBoardCount(), 3);
}

TEST_F(TavloAutomation, ARequestMayComeFromAnUnalignedBuffer) {
    alignas(8) unsigned char buffer[sizeof(TavloAutomationRequest) + 1];
    const TavloAutomationRequest request{TAVLO_AUTOMATION_PEN_DOWN, 1, 0, 5, 6, 0};
    std::memcpy(buffer + 1, &request, sizeof request);
    EXPECT_EQ(tavlo_sim::HandleAutomation(kTavloAutomationMagic, buffer + 1, sizeof request), 1);
    EXPECT_EQ(Delivered(), (std::vector<Pen>{{'d', 5, 6, 0, tavlo_sim::PenPointerId(1)}}));
}

TEST_F(TavloAutomation, QueriesReportCountAttachmentAndWaitingEvents) {
    EXPECT_EQ(Send({TAVLO_AUTOMATION_QUERY_BOARD_COUNT, 0, 0, 0, 0, 0}), 3);
    EXPECT_EQ(Send({TAVLO_AUTOMATION_QUERY_ATTACHED, 0, 0, 0, 0, 0}), 0);
    CTAVLO2BoardSettings settings(nullptr);
    CTAVLOWnd wnd(reinterpret_cast<HWND>(0x10));
    settings.TAVLOAttachOrient(wnd);
    EXPECT_EQ(Send({TAVLO_AUTOMATION_QUERY_ATTACHED, 0, 0, 0, 0, 0}), 1);

    Send({TAVLO_AUTOMATION_PEN_DOWN, 1, 0, 0, 0, 0});
    Send({TAVLO_AUTOMATION_PEN_UP, 1, 0, 0, 0, 0});
    EXPECT_EQ(Send({TAVLO_AUTOMATION_QUERY_WAITING_EVENTS, 0, 0, 0, 0, 0}), 2);
    sdk.TAVLOProcessData();
    EXPECT_EQ(Send({TAVLO_AUTOMATION_QUERY_WAITING_EVENTS, 0, 0, 0, 0, 0}), 0);

    EXPECT_EQ(Send({TAVLO_AUTOMATION_SET_BOARD_COUNT, 5, 0, 0, 0, 0}), 1);
    EXPECT_EQ(sdk.TAVLOGetBoardCount(), 5);
}

TEST_F(TavloAutomation, AFaultRequestTakesThePlaceOfTheNextPenDeliveryOnly) {
    int faults = 0;
    tavlo_sim::SetFaultHook([&] { ++faults; });
    EXPECT_EQ(Send({TAVLO_AUTOMATION_FAULT_NEXT_PEN, 0, 0, 0, 0, 0}), 1);
    Send({TAVLO_AUTOMATION_PEN_DOWN, 1, 0, 5, 6, 0});
    Send({TAVLO_AUTOMATION_PEN_UP, 1, 0, 7, 8, 0});
    EXPECT_EQ(faults, 0);  // queued, not yet delivered
    EXPECT_EQ(Delivered(), (std::vector<Pen>{{'u', 7, 8, 0, tavlo_sim::PenPointerId(1)}}));
    EXPECT_EQ(faults, 1);
}

class TavloMousePen : public TavloAutomation {};

TEST_F(TavloMousePen, ScreenPositionsScaleAcrossBoardOnesDisplay) {
    tavlo_sim::SetDisplay(1, {-1920, 0, 0, 1080});
    EXPECT_TRUE(tavlo_sim::QueueMousePen(tavlo_sim::PenAction::Down, -1920, 0));
    EXPECT_TRUE(tavlo_sim::QueueMousePen(tavlo_sim::PenAction::Move, -960, 540));
    EXPECT_TRUE(tavlo_sim::QueueMousePen(tavlo_sim::PenAction::Move, -1, 1079));
    EXPECT_TRUE(tavlo_sim::QueueMousePen(tavlo_sim::PenAction::Up, 0, 1080));
    const int pen = tavlo_sim::PenPointerId(1);
    EXPECT_EQ(Delivered(), (std::vector<Pen>{{'d', 0, 0, 0, pen},
                                             {'m', 2048, 2048, 0, pen},
                                             {'m', 4093, 4092, 0, pen},
                                             {'u', 4096, 4096, 0, pen}}));
}

TEST_F(TavloMousePen, ExtremeDisplaysGiveDefinedCoordinates) {
    tavlo_sim::SetDisplay(1, {INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    EXPECT_TRUE(tavlo_sim::QueueMousePen(tavlo_sim::PenAction::Down, INT_MAX, INT_MIN));
    tavlo_sim::SetDisplay(1, {0, 0, 1, 1});
    EXPECT_TRUE(tavlo_sim::QueueMousePen(tavlo_sim::PenAction::Up, INT_MAX, INT_MIN));
    const int pen = tavlo_sim::PenPointerId(1);
    EXPECT_EQ(Delivered(),
              (std::vector<Pen>{{'d', 4096, 0, 0, pen}, {'u', INT_MAX, INT_MIN, 0, pen}}));
}

TEST_F(TavloMousePen, NoBoardOneOrAnEmptyDisplayQueuesNothing) {
    tavlo_sim::SetDisplay(1, {100, 0, 100, 768});
    EXPECT_FALSE(tavlo_sim::QueueMousePen(tavlo_sim::PenAction::Down, 100, 10));
    tavlo_sim::SetDisplay(1, {0, 500, 1024, 400});
    EXPECT_FALSE(tavlo_sim::QueueMousePen(tavlo_sim::PenAction::Down, 10, 450));
    tavlo_sim::SetBoardCount(0);
    EXPECT_FALSE(tavlo_sim::QueueMousePen(tavlo_sim::PenAction::Down, 10, 10));
    EXPECT_EQ(tavlo_sim::WaitingEventCount(), 0u);
}

}  // namespace
