#include "report/sending_report_dlg.h"

#include "framework/constants.h"
#include "framework/platform.h"
#include "res/resource.h"

CSendingReportDlg::CSendingReportDlg() : fw::CDialog(IDD_SENDING_REPORT) {}

bool CSendingReportDlg::OnInitDialog() {
    fw::CDialog::OnInitDialog();
    const fw::Size screen = fw::CurrentPlatform().primaryScreenSize();
    const fw::Rect own = window()->windowRect();
    const auto x = static_cast<std::int32_t>((std::int64_t{screen.cx} - own.width()) / 2);
    const auto y = static_cast<std::int32_t>((std::int64_t{screen.cy} - own.height()) / 2);
    window()->setWindowPos(x, y, 0, 0, fw::kSwpNoSize | fw::kSwpNoZOrder);
    return true;
}
