// Pen events as the program meets them: they reach its handler in arrival order, once, only
// inside TAVLOProcessData (also from a nested modal loop), each announced to the attached window.
// The automation channel queues a driver's pen events for the board it names.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "TAVLO.h"
#include "tavlo_automation.h"
#include "tavlo_sim.h"

namespace {

using tavlo_sim::PenAction;

HWND FakeWindow(std::uintptr_t n) {
    return reinterpret_cast<HWND>(n);
}

// Writes each pen event as one line; `react` runs inside the handler, as a modal loop would.
class Recorder : public CTAVLO2EventHandler {
  public:
    std::vector<std::string> log;
    std::function<void(const std::string&)> react;

    void OnXYNonProjectedDown(int x, int y, int z, int id) override { Pen("down", x, y, z, id); }
    void OnXYNonProjectedMove(int x, int y, int z, int id) override { Pen("move", x, y, z, id); }
    void OnXYNonProjectedUp(int x, int y, int z, int id) override { Pen("up", x, y, z, id); }

  private:
    void Pen(const char* kind, int x, int y, int z, int id) {
        log.push_back(std::string(kind) + " " + std::to_string(x) + "," + std::to_string(y) + "," +
                      std::to_string(z) + " #" + std::to_string(id));
        if (react) {
            react(log.back());
        }
    }
};

class TavloEvents : public ::testing::Test {
  protected:
    void SetUp() override {
        tavlo_sim::Reset(3);
        tavlo_sim::SetPostHook([this](HWND w, unsigned m) { posts.emplace_back(w, m); });
        sdk.SetEventHandler(&recorder);
    }
    void TearDown() override { tavlo_sim::Reset(); }

    std::intptr_t Send(TavloAutomationRequest request) {
        return tavlo_sim::HandleAutomation(kTavloAutomationMagic, &request, sizeof request);
    }

    CTAVLO2 sdk{false};
    CTAVLO2BoardSettings settings{nullptr};
    Recorder recorder;
    std::vector<std::pair<HWND, unsigned>> posts;
};

TEST_F(TavloEvents, NestedProcessingFromAHandlerGoesOnWithTheWaitingEventsOnlyOnce) {
    int depth = 0;
    std::vector<int> depthOf;
    recorder.react = [&](const std::string& line) {
        depthOf.push_back(depth);
        if (line.starts_with("move 2,")) {
            // A modal loop inside the handler: a new event arrives, then the loop processes.
            tavlo_sim::QueuePen(PenAction::Move, 5, 0, 0, 17);
            ++depth;
            sdk.TAVLOProcessData();
            --depth;
        }
    };
    tavlo_sim::QueuePen(PenAction::Down, 1, 0, 0, 17);
    tavlo_sim::QueuePen(PenAction::Move, 2, 0, 0, 17);
    tavlo_sim::QueuePen(PenAction::Move, 3, 0, 0, 17);
    tavlo_sim::QueuePen(PenAction::Up, 4, 0, 0, 17);
    EXPECT_TRUE(recorder.log.empty()) << "handlers run only inside TAVLOProcessData";
    ++depth;
    sdk.TAVLOProcessData();

    EXPECT_EQ(recorder.log,
              (std::vector<std::string>{"down 1,0,0 #17", "move 2,0,0 #17", "move 3,0,0 #17",
                                        "up 4,0,0 #17", "move 5,0,0 #17"}));
    EXPECT_EQ(depthOf, (std::vector<int>{1, 1, 2, 2, 2}));
    sdk.TAVLOProcessData();
    EXPECT_EQ(recorder.log.size(), 5u);
}

TEST_F(TavloEvents, EachEventIsAnnouncedOnceToTheAttachedWindowAndWaitsWhileNoneIs) {
    tavlo_sim::QueueBoardPen(PenAction::Down, 1, 1, 1);
    EXPECT_TRUE(posts.empty());
    CTAVLOWnd wnd(FakeWindow(0x200));
    settings.TAVLOAttachOrient(wnd);  // announces the waiting event
    tavlo_sim::QueueBoardPen(PenAction::Move, 1, 2, 2);
    const std::pair announced{FakeWindow(0x200), CTAVLO2::TAVLO_NEW_MESSAGE};
    EXPECT_EQ(posts, (std::vector{announced, announced}));

    settings.TAVLODetachOrient(wnd);
    tavlo_sim::QueueBoardPen(PenAction::Up, 1, 3, 3);
    sdk.TAVLOProcessData();
    EXPECT_EQ(posts.size(), 2u);
    EXPECT_EQ(recorder.log,
              (std::vector<std::string>{"down 1,1,0 #17", "move 2,2,0 #17", "up 3,3,0 #17"}));
}

// A driver waits on the attachment and on the waiting events before its next step.
TEST_F(TavloEvents, TheAutomationChannelQueuesPenEventsForTheBoardItNames) {
    EXPECT_EQ(Send({TAVLO_AUTOMATION_QUERY_ATTACHED, 0, 0, 0, 0, 0}), 0);
    CTAVLOWnd wnd(FakeWindow(0x10));
    settings.TAVLOAttachOrient(wnd);
    EXPECT_EQ(Send({TAVLO_AUTOMATION_QUERY_ATTACHED, 0, 0, 0, 0, 0}), 1);

    EXPECT_EQ(Send({TAVLO_AUTOMATION_PEN_DOWN, 2, 999, 100, 200, 7}), 1);
    EXPECT_EQ(Send({TAVLO_AUTOMATION_PEN_MOVE, 0, 999, 101, 201, 8}), 1);  // the id as given
    EXPECT_EQ(Send({TAVLO_AUTOMATION_PEN_UP, 3, 0, 4096, 0, 0}), 1);
    EXPECT_EQ(Send({TAVLO_AUTOMATION_PEN_UP, kTavloAutomationMaxBoard + 1, 0, 0, 0, 0}), 0);
    EXPECT_EQ(posts.size(), 3u);
    EXPECT_EQ(Send({TAVLO_AUTOMATION_QUERY_WAITING_EVENTS, 0, 0, 0, 0, 0}), 3);
    sdk.TAVLOProcessData();
    EXPECT_EQ(Send({TAVLO_AUTOMATION_QUERY_WAITING_EVENTS, 0, 0, 0, 0, 0}), 0);
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"down 100,200,7 #33", "move 101,201,8 #999",
                                                      "up 4096,0,0 #49"}));

    EXPECT_EQ(Send({TAVLO_AUTOMATION_SET_BOARD_COUNT, 5, 0, 0, 0, 0}), 1);
    EXPECT_EQ(Send({TAVLO_AUTOMATION_QUERY_BOARD_COUNT, 0, 0, 0, 0, 0}), 5);
}

TEST_F(TavloEvents, AFaultRequestTakesThePlaceOfTheNextPenDeliveryOnly) {
    int faults = 0;
    tavlo_sim::SetFaultHook([&] { ++faults; });
    EXPECT_EQ(Send({TAVLO_AUTOMATION_FAULT_NEXT_PEN, 0, 0, 0, 0, 0}), 1);
    Send({TAVLO_AUTOMATION_PEN_DOWN, 1, 0, 5, 6, 0});
    Send({TAVLO_AUTOMATION_PEN_UP, 1, 0, 7, 8, 0});
    EXPECT_EQ(faults, 0);  // queued, not yet delivered
    sdk.TAVLOProcessData();
    EXPECT_EQ(faults, 1);
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"up 7,8,0 #17"}));
}

}  // namespace
