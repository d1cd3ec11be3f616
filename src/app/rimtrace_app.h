#pragma once
#include "framework/win_app.h"

// The exit code of a start that found another run of rimtrace testing: it touched nothing.
inline constexpr int kExitTestRunning = 3;

// The application: one trace window, run modally; the process ends when it closes. Started with
// "-restore" it only gives the boards back what a run that died left switched off. One run at a
// time: a start while a test runs shows that test and ends.
class CRimtraceApp : public fw::CWinApp {
  public:
    // Always false: the program has no message loop beyond the trace window's own.
    bool InitInstance() override;
    // The process's exit code: 0, for "-restore" the RestoreRunResult, kExitTestRunning when
    // another run was testing.
    int ExitCode() const { return m_exitCode; }

  private:
    int m_exitCode = 0;
};
