// The process's one simulated board set: boards, pointer mapping, event queue, attached window,
// handlers and the hooks to the outside (window posting, journal, state saving).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "TAVLO.h"
#include "board_state.h"
#include "tavlo_sim.h"

namespace tavlo_sim {

struct PenEvent {
    PenAction action;
    int x;
    int y;
    int z;
    int pointerId;
};

struct SettingChangedEvent {
    int board;
    int setting;
    std::uint32_t value;
};

using BoardEvent = std::variant<PenEvent, SettingChangedEvent>;

class SimulatedBoard {
  public:
    void reset(int boardCount);
    void setBoardCount(int boardCount);
    int boardCount() const { return static_cast<int>(state_.boards.size()); }
    void setDefaultDisplay(DisplayRect rect) { defaultDisplay_ = rect; }
    DisplayRect defaultDisplay() const { return defaultDisplay_; }
    std::optional<DisplayRect> display(int board) const;
    void setDisplay(int board, DisplayRect rect);
    int currentBoard() const { return state_.currentBoard; }
    void setCurrentBoard(int board);

    std::uint32_t setting(int board, int setting) const;
    // As the board itself changes a value: quietly.
    void setSetting(int board, int setting, std::uint32_t value);
    // As a program writes a value: journaled, and a change is notified.
    void writeSetting(int board, int setting, std::uint32_t value);

    void receiveOrientPoints(int board, OrientPoints points);
    const OrientPoints* orientPoints(int board) const;

    void mapPointer(int pointerId, int board) { pointerMap_[pointerId] = board; }
    int boardOfPointer(int pointerId) const;

    void queue(BoardEvent event);
    std::size_t waitingEvents() const { return events_.size(); }
    // Delivers one event at a time, so a nested call from a handler goes on with the rest.
    void processWaitingEvents();

    void attach(HWND window);
    void detach(HWND window);
    HWND attachedWindow() const { return attached_; }

    void setPenHandler(CTAVLO2EventHandler* handler) { penHandler_ = handler; }
    void forgetPenHandler(const CTAVLO2EventHandler* handler);
    void setSettingsHandler(CTAVLO2BoardSettingsEventHandler* handler) {
        settingsHandler_ = handler;
    }
    void forgetSettingsHandler(const CTAVLO2BoardSettingsEventHandler* handler);

    void setPostHook(PostHook hook) { postHook_ = std::move(hook); }
    void setJournalSink(JournalSink sink) { journalSink_ = std::move(sink); }
    void setChangeHook(ChangeHook hook) { changeHook_ = std::move(hook); }
    void setFaultHook(FaultHook hook) { faultHook_ = std::move(hook); }
    // The next pen event is not delivered: the fault hook runs in its place.
    void faultNextPen() { faultNextPen_ = true; }

    void setJournalPath(std::string path);
    const std::string& journalPath() const { return state_.journalPath; }
    void setMousePen(bool enabled);
    bool mousePen() const { return state_.mousePen; }

    const BoardState& state() const { return state_; }
    void loadState(BoardState state);

  private:
    BoardData* board(int number);
    const BoardData* board(int number) const;
    void deliver(const BoardEvent& event);
    void post();
    void journal(std::string_view line);
    void changed();

    BoardState state_;
    DisplayRect defaultDisplay_;
    std::map<int, int> pointerMap_;
    std::deque<BoardEvent> events_;
    HWND attached_ = nullptr;
    CTAVLO2EventHandler* penHandler_ = nullptr;
    CTAVLO2BoardSettingsEventHandler* settingsHandler_ = nullptr;
    PostHook postHook_;
    JournalSink journalSink_;
    ChangeHook changeHook_;
    FaultHook faultHook_;
    bool faultNextPen_ = false;
};

SimulatedBoard& TheBoard();

}  // namespace tavlo_sim
