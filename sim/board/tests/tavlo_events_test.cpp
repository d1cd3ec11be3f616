#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "TAVLO.h"
#include "tavlo_sim.h"

namespace {

using tavlo_sim::PenAction;

HWND FakeWindow(std::uintptr_t n) {
    return reinterpret_cast<HWND>(n);
}

// Receives both kinds of event and writes each as one line; the optional reaction runs inside
// the handler, as a program's modal loop would.
class Recorder : public CTAVLO2EventHandler, public CTAVLO2BoardSettingsEventHandler {
  public:
    std::vector<std::string> log;
    std::function<void(const std::string&)> react;

    void OnXYNonProjectedDown(int x, int y, int z, int id) override { Pen("down", x, y, z, id); }
    void OnXYNonProjectedMove(int x, int y, int z, int id) override { Pen("move", x, y, z, id); }
    void OnXYNonProjectedUp(int x, int y, int z, int id) override { Pen("up", x, y, z, id); }
    void OnBoardIntSettingChanged(int board, _TAVLO_BOARD_INT_SETTING setting,
                                  unsigned int value) override {
        Record("setting " + std::to_string(board) + "/" + std::to_string(setting) + "=" +
               std::to_string(value));
    }

  private:
    void Pen(const char* kind, int x, int y, int z, int id) {
        Record(std::string(kind) + " " + std::to_string(x) + "," + std::to_string(y) + "," +
               std::to_string(z) + " #" + std::to_string(id));
    }
    void Record(std::string line) {
        log.push_back(line);
        if (react) {
            react(line);
        }
    }
};

class TavloEvents : public ::testing::Test {
  protected:
    void SetUp() override { tavlo_sim::Reset(2); }
    void TearDown() override { tavlo_sim::Reset(); }

    CTAVLO2 sdk{false};
    CTAVLO2BoardSettings settings{nullptr};
    Recorder recorder;
    std::vector<std::pair<HWND, unsigned>> posts;

    void Listen() {
        sdk.SetEventHandler(&recorder);
        settings.SetEventHandler(&recorder);
    }
    void RecordPosts() {
        tavlo_sim::SetPostHook([this](HWND w, unsigned m) { posts.emplace_back(w, m); });
    }
};

TEST_F(TavloEvents, PenAndSettingEventsArriveInQueueOrderAtTheirOwnHandlers) {
    Listen();
    tavlo_sim::QueuePen(PenAction::Down, 10, 20, 30, 17);
    settings.TAVLOSetBoardIntSetting(TAVLO_BOARD_INT_SETTING_4, 2, 7);
    tavlo_sim::QueuePen(PenAction::Move, 11, 21, 31, 99);
    tavlo_sim::QueueBoardPen(PenAction::Up, 2, 12, 22);
    EXPECT_TRUE(recorder.log.empty()) << "handlers run only inside TAVLOProcessData";

    sdk.TAVLOProcessData();
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"down 10,20,30 #17", "setting 2/4=7",
                                                      "move 11,21,31 #99", "up 12,22,0 #33"}));
    EXPECT_EQ(tavlo_sim::WaitingEventCount(), 0u);
    sdk.TAVLOProcessData();
    EXPECT_EQ(recorder.log.size(), 4u);
}

TEST_F(TavloEvents, NestedProcessingFromAHandlerGoesOnWithTheWaitingEventsOnlyOnce) {
    Listen();
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
    ++depth;
    sdk.TAVLOProcessData();

    EXPECT_EQ(recorder.log,
              (std::vector<std::string>{"down 1,0,0 #17", "move 2,0,0 #17", "move 3,0,0 #17",
                                        "up 4,0,0 #17", "move 5,0,0 #17"}));
    EXPECT_EQ(depthOf, (std::vector<int>{1, 1, 2, 2, 2}));
}

TEST_F(TavloEvents, EventsQueuedByAHandlerFollowTheOnesAlreadyWaiting) {
    Listen();
    recorder.react = [&](const std::string& line) {
        if (line.starts_with("down")) {
            settings.TAVLOSetBoardIntSetting(TAVLO_BOARD_INT_SETTING_0, 1, 0);
        }
    };
    tavlo_sim::QueueBoardPen(PenAction::Down, 1, 1, 1);
    tavlo_sim::QueueBoardPen(PenAction::Up, 1, 2, 2);
    sdk.TAVLOProcessData();
    EXPECT_EQ(recorder.log,
              (std::vector<std::string>{"down 1,1,0 #17", "up 2,2,0 #17", "setting 1/0=0"}));
}

TEST_F(TavloEvents, WithoutAHandlerEventsAreDroppedNotKept) {
    tavlo_sim::QueueBoardPen(PenAction::Down, 1, 1, 1);
    settings.TAVLOSetBoardIntSetting(TAVLO_BOARD_INT_SETTING_1, 1, 3);
    sdk.TAVLOProcessData();
    Listen();
    sdk.TAVLOProcessData();
    EXPECT_TRUE(recorder.log.empty());

    sdk.SetEventHandler(nullptr);
    tavlo_sim::QueueBoardPen(PenAction::Down, 1, 1, 1);
    settings.TAVLOSetBoardIntSetting(TAVLO_BOARD_INT_SETTING_1, 1, 4);
    sdk.TAVLOProcessData();
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"setting 1/1=4"}));
}

TEST_F(TavloEvents, AHandlerDestroyedWhileRegisteredIsNeverCalled) {
    {
        Recorder shortLived;
        sdk.SetEventHandler(&shortLived);
        settings.SetEventHandler(&shortLived);
    }
    tavlo_sim::QueueBoardPen(PenAction::Down, 1, 1, 1);
    settings.TAVLOSetBoardIntSetting(TAVLO_BOARD_INT_SETTING_1, 1, 3);
    sdk.TAVLOProcessData();  // would touch freed memory under ASan
    EXPECT_EQ(tavlo_sim::WaitingEventCount(), 0u);
}

TEST_F(TavloEvents, OnlySettingWritesThatChangeAValueOfAnExistingBoardAreNotified) {
    Listen();
    settings.TAVLOSetBoardIntSetting(TAVLO_BOARD_INT_SETTING_0, 1, 0x32);  // unchanged
    settings.TAVLOSetBoardIntSetting(TAVLO_BOARD_INT_SETTING_0, 3, 1);     // no board 3
    settings.TAVLOSetBoardIntSetting(static_cast<_TAVLO_BOARD_INT_SETTING>(2), 1, 1);
    settings.TAVLOSetBoardIntSetting(TAVLO_BOARD_INT_SETTING_0, 1, 0x80000000);
    tavlo_sim::SetSetting(1, 1, 9);  // the board's own change is not a write
    sdk.TAVLOProcessData();
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"setting 1/0=2147483648"}));
}

TEST_F(TavloEvents, NewMessageIsARegisteredMessageId) {
    EXPECT_GE(CTAVLO2::TAVLO_NEW_MESSAGE, 0xC000u);
    EXPECT_LE(CTAVLO2::TAVLO_NEW_MESSAGE, 0xFFFFu);
}

TEST_F(TavloEvents, EachQueuedEventIsPostedOnceToTheAttachedWindow) {
    RecordPosts();
    CTAVLOWnd wnd(FakeWindow(0x100));
    settings.TAVLOAttachOrient(wnd);
    EXPECT_EQ(tavlo_sim::AttachedWindow(), FakeWindow(0x100));
    tavlo_sim::QueueBoardPen(PenAction::Down, 1, 1, 1);
    settings.TAVLOSetBoardIntSetting(TAVLO_BOARD_INT_SETTING_4, 2, 0);
    tavlo_sim::QueueBoardPen(PenAction::Up, 1, 1, 1);
    const std::pair expected{FakeWindow(0x100), CTAVLO2::TAVLO_NEW_MESSAGE};
    EXPECT_EQ(posts, (std::vector{expected, expected, expected}));
    sdk.TAVLOProcessData();
    EXPECT_EQ(posts.size(), 3u) << "delivery posts nothing";
}

TEST_F(TavloEvents, NothingIsPostedWhileDetachedButTheEventsWait) {
    RecordPosts();
    Listen();
    tavlo_sim::QueueBoardPen(PenAction::Down, 1, 1, 1);
    EXPECT_TRUE(posts.empty());

    CTAVLOWnd wnd(FakeWindow(0x200));
    settings.TAVLOAttachOrient(wnd);
    ASSERT_EQ(posts.size(), 1u) << "the waiting event is announced on attachment";
    EXPECT_EQ(posts[0].first, FakeWindow(0x200));

    settings.TAVLODetachOrient(wnd);
    EXPECT_EQ(tavlo_sim::AttachedWindow(), nullptr);
    tavlo_sim::QueueBoardPen(PenAction::Up, 1, 1, 1);
    EXPECT_EQ(posts.size(), 1u);
    sdk.TAVLOProcessData();
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"down 1,1,0 #17", "up 1,1,0 #17"}));
}

TEST_F(TavloEvents, DetachingAnotherWindowLeavesTheAttachmentAlone) {
    CTAVLOWnd attached(FakeWindow(0x300));
    CTAVLOWnd other(FakeWindow(0x400));
    settings.TAVLOAttachOrient(attached);
    settings.TAVLODetachOrient(other);
    EXPECT_EQ(tavlo_sim::AttachedWindow(), FakeWindow(0x300));
}

}  // namespace
