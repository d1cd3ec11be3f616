#pragma once
#include "framework/win_app.h"

// The application: one trace window, run modally; the process ends when it closes.
class CRimtraceApp : public fw::CWinApp {
  public:
    // Always false: the program has no message loop beyond the trace window's own.
    bool InitInstance() override;
};
