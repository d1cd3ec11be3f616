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
    CErrorDlg warning(fw::CurrentPlatform().loadString(IDS_TOO_FAST));
    {
        // The flags never outlive the dialog they point at, however the modal run ends.
        struct OpenWarning {
            CRimtraceDlg& dlg;
            OpenWarning(CRimtraceDlg& d, CErrorDlg& w) : dlg(d) {
                dlg.m_speedWarningOpen = true;
                dlg.m_speedWarning = &w;
            }
            ~OpenWarning() {
                dlg.m_speedWarning = nullptr;
                dlg.m_speedWarningOpen = false;
            }
        } open(*this, warning);
        warning.DoModal();
    }
    StartEdgeTimer();
}
