#include "report/save_data_dlg.h"

#include "framework/constants.h"
#include "framework/platform.h"
#include "report/default_report_name.h"
#include "res/resource.h"

CSaveDataDlg::CSaveDataDlg() : fw::CDialog(IDD_SAVE_DATA) {}

bool CSaveDataDlg::OnInitDialog() {
    fw::CDialog::OnInitDialog();
    fw::Platform& platform = fw::CurrentPlatform();
    m_proposedName = DefaultReportName(platform.modulePath(), platform.localTime());
    window()->setItemText(IDC_FILE_NAME, m_proposedName);
    window()->setItemCheck(IDC_SEND_REPORT, m_send ? fw::kBstChecked : fw::kBstUnchecked);
    window()->setItemCheck(IDC_INTERNAL_TRACE,
                           m_internalTrace ? fw::kBstChecked : fw::kBstUnchecked);
    return true;
}

bool CSaveDataDlg::OnCommand(int id) {
    switch (id) {
        case IDC_BROWSE:
            OnBrowse();
            return true;
        case IDC_SEND_REPORT:
            OnSendClicked();
            return true;
        case IDC_SECOND_TRACE:
            OnSecondTraceClicked();
            return true;
        case IDC_INTERNAL_TRACE:
            OnInternalTraceClicked();
            return true;
        default:
            return false;
    }
}

void CSaveDataDlg::OnBrowse() {
    const std::wstring current = window()->itemText(IDC_FILE_NAME);
    const auto chosen =
        fw::CurrentPlatform().saveAsDialog(current, fw::kOfnHideReadOnly | fw::kOfnOverwritePrompt);
    if (chosen) {
        window()->setItemText(IDC_FILE_NAME, *chosen);
    }
}

void CSaveDataDlg::OnSendClicked() {
    m_send = window()->itemCheck(IDC_SEND_REPORT) != fw::kBstUnchecked;
}

void CSaveDataDlg::OnSecondTraceClicked() {
    m_secondTrace = window()->itemCheck(IDC_SECOND_TRACE) == fw::kBstChecked;
}

void CSaveDataDlg::OnInternalTraceClicked() {
    m_internalTrace = window()->itemCheck(IDC_INTERNAL_TRACE) == fw::kBstChecked;
}

void CSaveDataDlg::OnOK() {
    m_fileName = window()->itemText(IDC_FILE_NAME);
    m_serial = window()->itemText(IDC_SERIAL_NUMBER);
    EndDialog(fw::kIdOk);
}
