#pragma once
#include <string>

#include "framework/dialog.h"

// The "tracing is too fast" warning: a small modal dialog over the trace window.
class CErrorDlg : public fw::CDialog {
  public:
    explicit CErrorDlg(std::wstring message);
    bool OnInitDialog() override;

    std::wstring m_message;
};
