// Taking the boards over for the test and giving them back: the three integer settings of every
// board and the driver window's per-board state are switched off, and restored board by board.
// What the end must give back is on disk before the first board is switched off, so that a run
// that dies never takes a board's own values with it.
#include "app/rimtrace_dlg.h"
#include "board/board_handover.h"
#include "board/driver_window.h"
#include "board/earlier_run.h"
#include "board/emergency_restore.h"

EarlierRunOutcome CRimtraceDlg::AttachBoards() {
    {
        CTAVLOWnd attached(GetSafeHwnd());
        m_boardSettings.TAVLOAttachOrient(attached);
    }
    m_sdk.SetEventHandler(this);
    m_boardSettings.SetEventHandler(this);

    const int boards = m_sdk.TAVLOGetBoardCount();
    const HWND driver = FindDriverWindow();
    // A run that died left its boards switched off: they get their own values back before
    // anything is read as this test's originals.
    m_restoreRecord = RestoreRecordFile::AtUsualPlace();
    const EarlierRunOutcome earlier =
        RestoreEarlierRun(m_boardSettings, driver, boards, m_restoreRecord);
    m_boardsForLaterRuns = earlier.waiting;

    for (int board = 1; board <= boards; ++board) {
        m_savedBoardSettings.push_back(ReadBoard(m_boardSettings, driver, board));
    }
    m_restoreRecord.store(BoardsToGiveBack(1));
    SetEmergencyRestore([this] { RestoreBoards(); });
    for (int board = 1; board <= boards; ++board) {
        SwitchOffBoard(m_boardSettings, driver, board);
    }
    return earlier;
}

void CRimtraceDlg::ReleaseBoards() {
    m_sdk.SetEventHandler(nullptr);
    m_boardSettings.SetEventHandler(nullptr);
    CTAVLOWnd attached(GetSafeHwnd());
    m_boardSettings.TAVLODetachOrient(attached);
}

void CRimtraceDlg::RestoreBoards() {
    if (m_boardsGivenBack) {
        return;
    }
    const HWND driver = FindDriverWindow();
    const int boards = m_sdk.TAVLOGetBoardCount();
    const RestoreRecord known = BoardsToGiveBack(1);
    for (int board = 1; board <= boards; ++board) {
        // A board that joined during the test gets the defaults, unless an earlier run left its
        // own values waiting.
        SavedBoardSettings saved = kDefaultBoardSettings;
        for (const BoardToRestore& entry : known) {
            if (entry.board == board) {
                saved = entry.settings;
            }
        }
        // A service run leaves the traced board's driver state on: it now uses the points.
        const bool driverOn = (board == m_activeBoard && !m_diagnosticMode) || saved.driverState;
        GiveBackBoard(m_boardSettings, driver, board, saved, driverOn);
    }
    m_boardsGivenBack = true;
    ClearEmergencyRestore();
    // Boards that are gone now keep their values on disk for the run that sees them again.
    m_restoreRecord.store(BoardsToGiveBack(boards + 1));
}

RestoreRecord CRimtraceDlg::BoardsToGiveBack(int firstBoard) const {
    RestoreRecord record;
    for (std::size_t i = 0; i < m_savedBoardSettings.size(); ++i) {
        const auto board = static_cast<std::int32_t>(i + 1);
        if (board >= firstBoard) {
            record.push_back({board, m_savedBoardSettings[i]});
        }
    }
    for (const BoardToRestore& waiting : m_boardsForLaterRuns) {
        if (waiting.board >= firstBoard &&
            static_cast<std::size_t>(waiting.board) > m_savedBoardSettings.size()) {
            record.push_back(waiting);
        }
    }
    return record;
}
