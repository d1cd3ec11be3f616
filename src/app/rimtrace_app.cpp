#include "app/rimtrace_app.h"

#include "app/restore_run.h"
#include "app/rimtrace_dlg.h"
#include "app/run_mode.h"
#include "framework/constants.h"
#include "framework/platform.h"

namespace {
constexpr wchar_t kRegistryKey[] = L"LUMORA Technologies Inc.";
constexpr wchar_t kTestRunningMessage[] =
    L"A test of rimtrace is running, so no board settings were given back.  That test gives "
    L"every board its settings back when it ends.";
}  // namespace

bool CRimtraceApp::InitInstance() {
    fw::Platform& platform = fw::CurrentPlatform();
    platform.initCommonControls();
    fw::CWinApp::InitInstance();
    platform.enableControlContainer();
    platform.setRegistryKey(kRegistryKey);
    const std::wstring arguments = platform.commandLine();
    // Claimed before anything reads the restore record or a board, held until the boards are
    // given back: otherwise a second start would take the running test's record for that of a
    // run that died and give its boards back in the middle of the test.
    const std::unique_ptr<fw::RunLock> onlyRun = platform.claimOnlyRun();
    if (!onlyRun) {
        m_exitCode = kExitTestRunning;
        if (IsRestoreRun(arguments)) {
            platform.messageBox(kTestRunningMessage, platform.appName(),
                                fw::kMbOk | fw::kMbIconExclamation | fw::kMbTopmost);
        } else {
            platform.showRunningTest();  // a double click too many: the user wants the test
        }
        return false;
    }
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
