#pragma once
#include <string>

#include "framework/dialog.h"

// The end-of-test dialog: report file name, serial number, mailing, and the follow-up trace.
class CSaveDataDlg : public fw::CDialog {
  public:
    CSaveDataDlg();

    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id) override;

    void OnBrowse();
    void OnSendClicked();
    void OnSecondTraceClicked();
    void OnInternalTraceClicked();

    std::wstring m_fileName;
    bool m_send = true;
    std::wstring m_serial;
    bool m_secondTrace = false;
    bool m_internalTrace = true;
    // The name proposed in the file-name box when the dialog opened.
    std::wstring m_proposedName;
};
