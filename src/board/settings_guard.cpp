// Taking the boards over for the test and giving them back: the three integer settings of every
// board and the driver window's per-board state are switched off, and restored board by board.
#include "app/rimtrace_dlg.h"
#include "board/driver_window.h"
#include "framework/platform.h"

namespace {
constexpr _TAVLO_BOARD_INT_SETTING kSetting0 = TAVLO_BOARD_INT_SETTING_0;
constexpr _TAVLO_BOARD_INT_SETTING kSetting1 = TAVLO_BOARD_INT_SETTING_1;
constexpr _TAVLO_BOARD_INT_SETTING kSetting4 = TAVLO_BOARD_INT_SETTING_4;

// Reads a setting and switches it off; the unsigned value is kept bit for bit.
std::int32_t SaveAndZero(CTAVLO2BoardSettings& settings, _TAVLO_BOARD_INT_SETTING which,
                         int board) {
    const unsigned int value = settings.TAVLOGetBoardIntSetting(which, board);
    settings.TAVLOSetBoardIntSetting(which, board, 0);
    return static_cast<std::int32_t>(value);
}
}  // namespace

void CRimtraceDlg::AttachBoards() {
    {
        CTAVLOWnd attached(GetSafeHwnd());
        m_boardSettings.TAVLOAttachOrient(attached);
    }
    m_sdk.SetEventHandler(this);
    m_boardSettings.SetEventHandler(this);

    const int boards = m_sdk.TAVLOGetBoardCount();
    const HWND driver = FindDriverWindow();
    SavedBoardSettings working;
    for (int board = 1; board <= boards; ++board) {
        working.intSetting0 = SaveAndZero(m_boardSettings, kSetting0, board);
        working.intSetting1 = SaveAndZero(m_boardSettings, kSetting1, board);
        working.intSetting4 = SaveAndZero(m_boardSettings, kSetting4, board);
        if (driver != nullptr) {
            working.driverState = GetDriverState(driver, board);
            SetDriverState(driver, board, false);
        }
        m_savedBoardSettings.push_back(working);
    }
}

void CRimtraceDlg::ReleaseBoards() {
    m_sdk.SetEventHandler(nullptr);
    m_boardSettings.SetEventHandler(nullptr);
    CTAVLOWnd attached(GetSafeHwnd());
    m_boardSettings.TAVLODetachOrient(attached);
}

void CRimtraceDlg::RestoreBoards() {
    const HWND driver = FindDriverWindow();
    const int boards = m_sdk.TAVLOGetBoardCount();
    for (int board = 1; board <= boards; ++board) {
        // A board that joined during the test gets the defaults.
        const SavedBoardSettings saved =
            static_cast<std::size_t>(board) <= m_savedBoardSettings.size()
                ? m_savedBoardSettings[static_cast<std::size_t>(board) - 1]
                : SavedBoardSettings{};
        m_boardSettings.TAVLOSetBoardIntSetting(kSetting0, board,
                                                static_cast<unsigned int>(saved.intSetting0));
        m_boardSettings.TAVLOSetBoardIntSetting(kSetting1, board,
                                                static_cast<unsigned int>(saved.intSetting1));
        m_boardSettings.TAVLOSetBoardIntSetting(kSetting4, board,
                                                static_cast<unsigned int>(saved.intSetting4));
        if (driver != nullptr) {
            // A service run leaves the traced board's driver state on: it now uses the points.
            const bool on = (board == m_activeBoard && !m_diagnosticMode) || saved.driverState;
            SetDriverState(driver, board, on);
        }
    }
}
