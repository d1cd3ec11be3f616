#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "app/rimtrace_app.h"
#include "app/rimtrace_dlg.h"
#include "framework/constants.h"
#include "framework/headless/headless_host.h"
#include "res/resource.h"
#include "tavlo_sim.h"

using headless::LogEntry;
using headless::ModalSession;

class AppStart : public ::testing::Test {
  protected:
    struct FreshBoards {
        FreshBoards() { tavlo_sim::Reset(1); }
    };

    // Runs InitInstance with a trace window that is closed with Escape as soon as it runs; the
    // mode it was built with is kept.
    bool Run(std::wstring arguments) {
        host.arguments = std::move(arguments);
        host.onModal(IDD_RIMTRACE_DIALOG, [this](ModalSession& s) {
            auto& dialog = dynamic_cast<CRimtraceDlg&>(s.dialog());
            modeSeen = dialog.m_diagnosticMode;
            mainWindowWasDialog = host.mainWindow == &dialog;
            s.click(fw::kIdCancel);
        });
        return app.InitInstance();
    }

    std::vector<LogEntry::Kind> StartUpKinds() const {
        std::vector<LogEntry::Kind> kinds;
        for (const LogEntry& e : host.log) {
            switch (e.kind) {
                case LogEntry::Kind::CommonControls:
                case LogEntry::Kind::ControlContainer:
                case LogEntry::Kind::RegistryKey:
                case LogEntry::Kind::MainWindow:
                case LogEntry::Kind::ModalOpened:
                case LogEntry::Kind::ModalClosed:
                    kinds.push_back(e.kind);
                    break;
                default:
                    break;
            }
        }
        return kinds;
    }

    FreshBoards fresh_;
    headless::HeadlessHost host;
    CRimtraceApp app;
    std::optional<bool> modeSeen;
    bool mainWindowWasDialog = false;
};

TEST_F(AppStart, SetsUpInOrderThenRunsTheTraceWindowAsMainWindowAndEnds) {
    EXPECT_FALSE(Run(L""));
    using K = LogEntry::Kind;
    EXPECT_EQ(StartUpKinds(),
              (std::vector<K>{K::CommonControls, K::ControlContainer, K::RegistryKey, K::MainWindow,
                              K::ModalOpened, K::ModalClosed, K::MainWindow}));
    EXPECT_EQ(host.registryKey, L"LUMORA Technologies Inc.");
    EXPECT_TRUE(mainWindowWasDialog);
    EXPECT_EQ(host.mainWindow, nullptr);         // cleared before the dialog object goes
    EXPECT_TRUE(host.unexpectedModals.empty());  // the one modal run was the trace template
}

TEST_F(AppStart, ServiceArgumentStartsTheServiceRun) {
    Run(L"-service");
    EXPECT_EQ(modeSeen, std::optional<bool>(false));
}

TEST_F(AppStart, AnyOtherArgumentsStartTheInteractiveTest) {
    Run(L"-service x");
    EXPECT_EQ(modeSeen, std::optional<bool>(true));
}

TEST_F(AppStart, TheResultOfTheTraceWindowDoesNotChangeTheOutcome) {
    host.onModal(IDD_RIMTRACE_DIALOG, [](ModalSession& s) { s.click(fw::kIdOk); });
    EXPECT_FALSE(app.InitInstance());
}
