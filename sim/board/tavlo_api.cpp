// The SDK's classes, answered by the simulated board.
#include "TAVLO.h"
#include "board_host.h"
#include "orient_copy.h"
#include "simulated_board.h"

using tavlo_sim::TheBoard;

CEdgeOrientPoints::CEdgeOrientPoints() = default;
// The rows belong to the caller, who frees them.
CEdgeOrientPoints::~CEdgeOrientPoints() = default;

// A handler that goes away stops receiving: the board never calls a destroyed object.
CTAVLO2EventHandler::~CTAVLO2EventHandler() {
    TheBoard().forgetPenHandler(this);
}
void CTAVLO2EventHandler::OnXYNonProjectedDown(int, int, int, int) {}
void CTAVLO2EventHandler::OnXYNonProjectedMove(int, int, int, int) {}
void CTAVLO2EventHandler::OnXYNonProjectedUp(int, int, int, int) {}

CTAVLO2BoardSettingsEventHandler::~CTAVLO2BoardSettingsEventHandler() {
    TheBoard().forgetSettingsHandler(this);
}
void CTAVLO2BoardSettingsEventHandler::OnBoardIntSettingChanged(int, _TAVLO_BOARD_INT_SETTING,
                                                                unsigned int) {}

// The simulated board has no other program to share it with, so `exclusive` changes nothing.
CTAVLO2::CTAVLO2(bool) {
    tavlo_host::ConnectionOpened();
}
CTAVLO2::~CTAVLO2() {
    tavlo_host::ConnectionClosed();
}

int CTAVLO2::TAVLOGetCurrentBoard() {
    return TheBoard().currentBoard();
}
int CTAVLO2::TAVLOGetBoardCount() {
    return TheBoard().boardCount();
}

int CTAVLO2::TAVLOGetBoardNumberFromPointerID(int pointerId) {
    return TheBoard().boardOfPointer(pointerId);
}

void CTAVLO2::TAVLOProcessData() {
    TheBoard().processWaitingEvents();
}
void CTAVLO2::SetEventHandler(CTAVLO2EventHandler* handler) {
    TheBoard().setPenHandler(handler);
}

// Settings objects need no connection of their own: the board set is the process's.
CTAVLO2BoardSettings::CTAVLO2BoardSettings(CTAVLO2*) {}
CTAVLO2BoardSettings::~CTAVLO2BoardSettings() = default;

void CTAVLO2BoardSettings::TAVLOGetBoardDisplayRectangle(int board, int* top, int* left,
                                                         int* bottom, int* right) {
    // A board that does not exist has an empty display.
    const auto display = TheBoard().display(board).value_or(tavlo_sim::DisplayRect{0, 0, 0, 0});
    for (auto [out, value] : {std::pair{top, display.top}, std::pair{left, display.left},
                              std::pair{bottom, display.bottom}, std::pair{right, display.right}}) {
        if (out != nullptr) {
            *out = value;
        }
    }
}

void CTAVLO2BoardSettings::TAVLOAttachOrient(CTAVLOWnd& wnd) {
    TheBoard().attach(wnd.m_hWnd);
    tavlo_host::WindowAttached(wnd.m_hWnd);
}

void CTAVLO2BoardSettings::TAVLODetachOrient(CTAVLOWnd& wnd) {
    TheBoard().detach(wnd.m_hWnd);
    tavlo_host::WindowDetached(wnd.m_hWnd);
}

unsigned int CTAVLO2BoardSettings::TAVLOGetBoardIntSetting(_TAVLO_BOARD_INT_SETTING setting,
                                                           int board) {
    return TheBoard().setting(board, setting);
}

void CTAVLO2BoardSettings::TAVLOSetBoardIntSetting(_TAVLO_BOARD_INT_SETTING setting, int board,
                                                   unsigned int value) {
    TheBoard().writeSetting(board, setting, value);
}

void CTAVLO2BoardSettings::TAVLOSetEdgeOrientPoints(int board, CEdgeOrientPoints& points) {
    TheBoard().receiveOrientPoints(board, tavlo_sim::CopyOrientPoints(points));
}

void CTAVLO2BoardSettings::SetEventHandler(CTAVLO2BoardSettingsEventHandler* handler) {
    TheBoard().setSettingsHandler(handler);
}
