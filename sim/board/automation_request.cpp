// The automation channel's requests, carried out on the simulated board.
#include <cstring>

#include "simulated_board.h"
#include "tavlo_automation.h"
#include "tavlo_sim.h"

namespace tavlo_sim {
namespace {

static_assert(kTavloAutomationMaxBoard == kMaxBoards, "drivers may address every board");

std::intptr_t QueueRequestedPen(PenAction action, const TavloAutomationRequest& request) {
    const int pointerId = request.board == 0 ? request.pointerId : PenPointerId(request.board);
    QueuePen(action, request.x, request.y, request.z, pointerId);
    return 1;
}

std::intptr_t Carry(const TavloAutomationRequest& request) {
    SimulatedBoard& board = TheBoard();
    switch (request.command) {
        case TAVLO_AUTOMATION_PEN_DOWN:
            return QueueRequestedPen(PenAction::Down, request);
        case TAVLO_AUTOMATION_PEN_MOVE:
            return QueueRequestedPen(PenAction::Move, request);
        case TAVLO_AUTOMATION_PEN_UP:
            return QueueRequestedPen(PenAction::Up, request);
        case TAVLO_AUTOMATION_QUERY_BOARD_COUNT:
            return board.boardCount();
        case TAVLO_AUTOMATION_QUERY_ATTACHED:
            return board.attachedWindow() != nullptr ? 1 : 0;
        case TAVLO_AUTOMATION_QUERY_WAITING_EVENTS:
            return static_cast<std::intptr_t>(board.waitingEvents());
        case TAVLO_AUTOMATION_SET_BOARD_COUNT:
            board.setBoardCount(request.board);
            return 1;
        case TAVLO_AUTOMATION_FAULT_NEXT_PEN:
            board.faultNextPen();
            return 1;
        default:
            return 0;
    }
}

}  // namespace

std::intptr_t HandleAutomation(std::uintptr_t magic, const void* data, std::size_t size) {
    if (magic != kTavloAutomationMagic || data == nullptr ||
        size != sizeof(TavloAutomationRequest)) {
        return 0;
    }
    // The sender's buffer need not be aligned for the struct.
    TavloAutomationRequest request;
    std::memcpy(&request, data, sizeof request);
    if (request.board < 0 || request.board > kTavloAutomationMaxBoard) {
        return 0;
    }
    return Carry(request);
}

}  // namespace tavlo_sim
