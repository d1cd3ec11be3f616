#include "trace/error_dlg.h"

#include <utility>

#include "framework/constants.h"
#include "framework/platform.h"
#include "res/resource.h"

CErrorDlg::CErrorDlg(std::wstring message)
    : fw::CDialog(IDD_ERROR), m_message(std::move(message)) {}

bool CErrorDlg::OnInitDialog() {
    fw::CDialog::OnInitDialog();
    window()->setItemText(IDC_MESSAGE, m_message);
    fw::CurrentPlatform().messageBeep(fw::kBeepExclamation);
    return true;
}
