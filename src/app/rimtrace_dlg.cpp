// Life of the trace window: construction, initialisation, board data, and tear-down in the order
// the boards and the report depend on.
#include "app/rimtrace_dlg.h"

#include "framework/platform.h"
#include "res/resource.h"

CRimtraceDlg::CRimtraceDlg(bool diagnosticMode)
    : fw::CDialog(IDD_RIMTRACE_DIALOG), m_diagnosticMode(diagnosticMode) {
    m_hIcon = fw::CurrentPlatform().loadIcon(IDR_MAINFRAME);
    BuildMonitorList();
}

CRimtraceDlg::~CRimtraceDlg() = default;

bool CRimtraceDlg::OnInitDialog() {
    fw::CDialog::OnInitDialog();
    window()->setIcon(m_hIcon, true);
    window()->setIcon(m_hIcon, false);
    AttachBoards();
    fw::Platform& platform = fw::CurrentPlatform();
    m_prompt = platform.loadString(IDS_TRACE_LEFT);
    m_picture = platform.loadBitmap(IDB_TRACE_LEFT);
    PlaceOnMonitor();
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
