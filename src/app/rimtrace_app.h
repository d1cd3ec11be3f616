#pragma once
#include "framework/win_app.h"

// The application: one trace window, run modally; the process ends when it closes. Started with
// "-restore" it only gives the boards back what a run that died left switched off.
class CRimtraceApp : public fw::CWinApp {
  public:
    // Always false: the program has no message loop beyond the trace window's own.
    bool InitInstance() override;
    // The process's exit code: 0, or for "-restore" the RestoreRunResult.
    int ExitCode() const { return m_exitCode; }

  private:
    int m_exitCode = 0;
};
