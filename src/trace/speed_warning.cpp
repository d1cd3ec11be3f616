// The too-fast warning, raised from inside a pen handler. Its modal loop keeps dispatching board
// events; the flags set here tell those nested handlers that the warning is up.
#include "app/rimtrace_dlg.h"
#include "framework/platform.h"
#include "res/resource.h"
#include "trace/error_dlg.h"

void CRimtraceDlg::ShowSpeedWarning() {
    // The stage time-out must not end the edge while the user reads the warning; its id stays
    // in m_edgeTimer until the restart below replaces it.
    if (m_edgeTimer != 0 && window() != nullptr) {
        window()->killTimer(m_edgeTimer);
    }
    std::wstring text = fw::CurrentPlatform().loadString(IDS_TOO_FAST);
    m_speedWarningOpen = true;
    CErrorDlg warning(std::move(text));
    m_speedWarning = &warning;
    warning.DoModal();
    m_speedWarning = nullptr;
    m_speedWarningOpen = false;
    StartEdgeTimer();
}
