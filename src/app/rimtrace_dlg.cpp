// Life of the trace window: construction, initialisation, board data, and tear-down in the order
// the boards and the report depend on.
#include "app/rimtrace_dlg.h"

#include "board/emergency_restore.h"
#include "framework/platform.h"
#include "res/resource.h"

CRimtraceDlg::CRimtraceDlg(bool diagnosticMode)
    : fw::CDialog(IDD_RIMTRACE_DIALOG), m_diagnosticMode(diagnosticMode) {
    m_hIcon = fw::CurrentPlatform().loadIcon(IDR_MAINFRAME);
    BuildMonitorList();
}

CRimtraceDlg::~CRimtraceDlg() {
    // A test whose window never ended normally leaves its record for the next run; the crash
    // handler must not reach a dialog that is gone.
    if (!m_boardsGivenBack) {
        ClearEmergencyRestore();
    }
}

bool CRimtraceDlg::OnInitDialog() {
    fw::CDialog::OnInitDialog();
    window()->setIcon(m_hIcon, true);
    window()->setIcon(m_hIcon, false);
    const EarlierRunOutcome earlier = AttachBoards();
    fw::Platform& platform = fw::CurrentPlatform();
    m_prompt = platform.loadString(IDS_TRACE_LEFT);
    m_picture = platform.loadBitmap(IDB_TRACE_LEFT);
    PlaceOnMonitor();
    if (earlier.kind == EarlierRunOutcome::Kind::Unreadable) {
        // Told only once the test is set up: while the message waits for the user, boards may be
        // unplugged, pens may trace and the session may end, as at any other moment of the test.
        TellUnreadableRecord(m_restoreRecord, earlier);
    }
    return true;
}

bool CRimtraceDlg::OnRegisteredMessage(unsigned message) {
    if (message != CTAVLO2::TAVLO_NEW_MESSAGE) {
        return false;
    }
    OnNewBoardData();
    return true;
}

void CRimtraceDlg::OnNewBoardData() {
    m_sdk.TAVLOProcessData();
}

void CRimtraceDlg::OnDestroy() {
    // The mail step below runs message loops; a stage time-out must not go on with the test
    // while its report is being written and mailed.
    KillEdgeTimer();
    m_tearingDown = true;
    if (m_sessionEnded) {
        fw::CDialog::OnDestroy();
        return;
    }
    ReleaseBoards();
    {
        // The boards get their settings back on every ending, even if the report step fails
        // unexpectedly (out of memory while building a huge report).
        struct RestoreOnExit {
            CRimtraceDlg& dlg;
            ~RestoreOnExit() { dlg.RestoreBoards(); }
        } restore{*this};
        RunReportStep();
    }
    fw::CDialog::OnDestroy();
}

void CRimtraceDlg::OnEndSession(bool ending) {
    if (!ending || m_sessionEnded) {
        return;
    }
    // The system may end the process as soon as this returns: the boards first, then the report
    // if the user already chose one. No window can be shown any more, so no mail.
    m_sessionEnded = true;
    KillEdgeTimer();
    if (m_tearingDown) {
        // The window is already going (the mail client may be up): its report is written; only
        // the boards are left.
        RestoreBoards();
        return;
    }
    ReleaseBoards();
    RestoreBoards();
    if (!m_reportPath.empty()) {
        WriteReportSomewhere(false);
    }
}
