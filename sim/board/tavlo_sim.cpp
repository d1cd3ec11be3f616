#include "tavlo_sim.h"

#include <algorithm>
#include <climits>

#include "simulated_board.h"
#include "state_text.h"

namespace tavlo_sim {
namespace {

constexpr std::int64_t kBoardUnits = 4096;

// (position - low) * 4096 / (high - low), in 64 bits and saturated to int.
std::optional<int> ToBoardUnits(int position, int low, int high) {
    const std::int64_t size = std::int64_t{high} - low;
    if (size <= 0) {
        return std::nullopt;
    }
    const std::int64_t units = (std::int64_t{position} - low) * kBoardUnits / size;
    return static_cast<int>(std::clamp<std::int64_t>(units, INT_MIN, INT_MAX));
}

}  // namespace

void Reset(int boardCount) {
    TheBoard().reset(boardCount);
}
void SetBoardCount(int boardCount) {
    TheBoard().setBoardCount(boardCount);
}
void SetDefaultDisplay(DisplayRect rect) {
    TheBoard().setDefaultDisplay(rect);
}
void SetDisplay(int board, DisplayRect rect) {
    TheBoard().setDisplay(board, rect);
}
void SetCurrentBoard(int board) {
    TheBoard().setCurrentBoard(board);
}

void SetSetting(int board, int setting, std::uint32_t value) {
    TheBoard().setSetting(board, setting, value);
}

std::uint32_t Setting(int board, int setting) {
    return TheBoard().setting(board, setting);
}

int PenPointerId(int board) {
    if (board < 1 || board > kMaxBoards) {
        return 0;
    }
    return board * 16 + 1;
}

void MapPointer(int pointerId, int board) {
    TheBoard().mapPointer(pointerId, board);
}

void QueuePen(PenAction action, int x, int y, int z, int pointerId) {
    TheBoard().queue(PenEvent{action, x, y, z, pointerId});
}

void QueueBoardPen(PenAction action, int board, int x, int y, int z) {
    QueuePen(action, x, y, z, PenPointerId(board));
}

bool QueueMousePen(PenAction action, int screenX, int screenY) {
    const auto display = TheBoard().display(1);
    if (!display) {
        return false;
    }
    const auto x = ToBoardUnits(screenX, display->left, display->right);
    const auto y = ToBoardUnits(screenY, display->top, display->bottom);
    if (!x || !y) {
        return false;
    }
    QueueBoardPen(action, 1, *x, *y);
    return true;
}

std::size_t WaitingEventCount() {
    return TheBoard().waitingEvents();
}

void SetPostHook(PostHook hook) {
    TheBoard().setPostHook(std::move(hook));
}
void SetJournalSink(JournalSink sink) {
    TheBoard().setJournalSink(std::move(sink));
}
void SetChangeHook(ChangeHook hook) {
    TheBoard().setChangeHook(std::move(hook));
}
void SetFaultHook(FaultHook hook) {
    TheBoard().setFaultHook(std::move(hook));
}

HWND AttachedWindow() {
    return TheBoard().attachedWindow();
}

std::optional<OrientPoints> LastOrientPoints(int board) {
    if (const OrientPoints* points = TheBoard().orientPoints(board)) {
        return *points;
    }
    return std::nullopt;
}

void SetJournalPath(std::string path) {
    TheBoard().setJournalPath(std::move(path));
}
std::string JournalPath() {
    return TheBoard().journalPath();
}
void SetMousePen(bool enabled) {
    TheBoard().setMousePen(enabled);
}
bool MousePen() {
    return TheBoard().mousePen();
}

std::string StateText() {
    return FormatStateText(TheBoard().state());
}

void LoadStateText(std::string_view text) {
    SimulatedBoard& board = TheBoard();
    board.loadState(ParseStateText(text, board.defaultDisplay()));
}

}  // namespace tavlo_sim
