#include "app/rimtrace_app.h"

#include "app/restore_run.h"
#include "app/rimtrace_dlg.h"
#include "app/run_mode.h"
#include "framework/platform.h"

namespace {
constexpr wchar_t kRegistryKey[] = L"LUMORA Technologies Inc.";
}

bool CRimtraceApp::InitInstance() {
    fw::Platform& platform = fw::CurrentPlatform();
    platform.initCommonControls();
    fw::CWinApp::InitInstance();
    platform.enableControlContainer();
    platform.setRegistryKey(kRegistryKey);
    const std::wstring arguments = platform.commandLine();
    if (IsRestoreRun(arguments)) {
        m_exitCode = static_cast<int>(RunRestore());
        return false;
    }
    const bool diagnosticMode = IsDiagnosticRun(arguments);

    CRimtraceDlg dialog(diagnosticMode);
    platform.setMainWindow(&dialog);
    dialog.DoModal();  // however the test ended, there is nothing more to do
    platform.setMainWindow(nullptr);
    return false;
}
