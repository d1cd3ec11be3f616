#pragma once
#include "framework/dialog.h"

// The notice on screen while the mail client has the report: centred on the primary screen,
// without a close box.
class CSendingReportDlg : public fw::CDialog {
  public:
    CSendingReportDlg();
    bool OnInitDialog() override;
};
