#include "simulated_board.h"

#include <algorithm>
#include <utility>

#include "journal_lines.h"

namespace tavlo_sim {
namespace {

// Every pen id is b * 16 + 1 for its board b.
constexpr int kPointerIdsPerBoard = 16;

}  // namespace

void SimulatedBoard::reset(int boardCount) {
    *this = SimulatedBoard{};
    setBoardCount(boardCount);
}

void SimulatedBoard::setBoardCount(int boardCount) {
    const auto count = static_cast<std::size_t>(std::clamp(boardCount, 0, kMaxBoards));
    if (count == state_.boards.size()) {
        return;
    }
    state_.boards.resize(count, BoardData{defaultDisplay_});
    changed();
}

BoardData* SimulatedBoard::board(int number) {
    if (number < 1 || number > boardCount()) {
        return nullptr;
    }
    return &state_.boards[static_cast<std::size_t>(number - 1)];
}

const BoardData* SimulatedBoard::board(int number) const {
    return const_cast<SimulatedBoard*>(this)->board(number);
}

std::optional<DisplayRect> SimulatedBoard::display(int number) const {
    if (const BoardData* b = board(number)) {
        return b->display;
    }
    return std::nullopt;
}

void SimulatedBoard::setDisplay(int number, DisplayRect rect) {
    if (BoardData* b = board(number)) {
        b->display = rect;
        changed();
    }
}

void SimulatedBoard::setCurrentBoard(int number) {
    state_.currentBoard = number;
    changed();
}

std::uint32_t SimulatedBoard::setting(int number, int setting) const {
    const BoardData* b = board(number);
    const auto slot = SettingSlot(setting);
    return b != nullptr && slot ? b->settings[*slot] : 0;
}

void SimulatedBoard::setSetting(int number, int setting, std::uint32_t value) {
    BoardData* b = board(number);
    const auto slot = SettingSlot(setting);
    if (b != nullptr && slot) {
        b->settings[*slot] = value;
        changed();
    }
}

void SimulatedBoard::writeSetting(int number, int setting, std::uint32_t value) {
    journal(SettingWrittenLine(number, setting, value));
    BoardData* b = board(number);
    const auto slot = SettingSlot(setting);
    if (b == nullptr || !slot || b->settings[*slot] == value) {
        return;
    }
    b->settings[*slot] = value;
    changed();
    queue(SettingChangedEvent{number, setting, value});
}

void SimulatedBoard::receiveOrientPoints(int number, OrientPoints points) {
    journal(OrientReceivedLine(number, points));
    state_.orientPoints[number] = std::move(points);
    changed();
}

const OrientPoints* SimulatedBoard::orientPoints(int number) const {
    const auto found = state_.orientPoints.find(number);
    return found == state_.orientPoints.end() ? nullptr : &found->second;
}

int SimulatedBoard::boardOfPointer(int pointerId) const {
    if (const auto found = pointerMap_.find(pointerId); found != pointerMap_.end()) {
        return found->second;
    }
    if (pointerId <= kPointerIdsPerBoard || (pointerId - 1) % kPointerIdsPerBoard != 0) {
        return 0;
    }
    const int number = (pointerId - 1) / kPointerIdsPerBoard;
    return number <= boardCount() ? number : 0;
}

void SimulatedBoard::queue(BoardEvent event) {
    events_.push_back(std::move(event));
    post();
}

void SimulatedBoard::processWaitingEvents() {
    while (!events_.empty()) {
        const BoardEvent event = std::move(events_.front());
        events_.pop_front();
        deliver(event);
    }
}

void SimulatedBoard::deliver(const BoardEvent& event) {
    if (const auto* pen = std::get_if<PenEvent>(&event)) {
        if (std::exchange(faultNextPen_, false) && faultHook_) {
            faultHook_();
            return;
        }
        if (penHandler_ == nullptr) {
            return;
        }
        switch (pen->action) {
            case PenAction::Down:
                penHandler_->OnXYNonProjectedDown(pen->x, pen->y, pen->z, pen->pointerId);
                break;
            case PenAction::Move:
                penHandler_->OnXYNonProjectedMove(pen->x, pen->y, pen->z, pen->pointerId);
                break;
            case PenAction::Up:
                penHandler_->OnXYNonProjectedUp(pen->x, pen->y, pen->z, pen->pointerId);
                break;
        }
        return;
    }
    const auto& change = std::get<SettingChangedEvent>(event);
    if (settingsHandler_ != nullptr) {
        settingsHandler_->OnBoardIntSettingChanged(
            change.board, static_cast<_TAVLO_BOARD_INT_SETTING>(change.setting), change.value);
    }
}

void SimulatedBoard::attach(HWND window) {
    attached_ = window;
    // Events that arrived while nothing was attached would otherwise wait unnoticed.
    if (!events_.empty()) {
        post();
    }
}

void SimulatedBoard::detach(HWND window) {
    if (window == attached_) {
        attached_ = nullptr;
    }
}

void SimulatedBoard::forgetPenHandler(const CTAVLO2EventHandler* handler) {
    if (penHandler_ == handler) {
        penHandler_ = nullptr;
    }
}

void SimulatedBoard::forgetSettingsHandler(const CTAVLO2BoardSettingsEventHandler* handler) {
    if (settingsHandler_ == handler) {
        settingsHandler_ = nullptr;
    }
}

void SimulatedBoard::setJournalPath(std::string path) {
    state_.journalPath = std::move(path);
    changed();
}

void SimulatedBoard::setMousePen(bool enabled) {
    state_.mousePen = enabled;
    changed();
}

void SimulatedBoard::loadState(BoardState state) {
    state_ = std::move(state);
}

void SimulatedBoard::post() {
    if (attached_ != nullptr && postHook_) {
        postHook_(attached_, CTAVLO2::TAVLO_NEW_MESSAGE);
    }
}

void SimulatedBoard::journal(std::string_view line) {
    if (journalSink_) {
        journalSink_(line);
    }
}

void SimulatedBoard::changed() {
    if (changeHook_) {
        changeHook_();
    }
}

SimulatedBoard& TheBoard() {
    static SimulatedBoard board;
    return board;
}

}  // namespace tavlo_sim
