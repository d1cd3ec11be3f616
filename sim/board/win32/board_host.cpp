// The DLL's host: while any connection is open, the board's state lives in the state file, its
// journal in the journal file, and drivers reach it through the automation window.
#include "board_host.h"

#include <cstdint>
#include <memory>
#include <string>

#include "automation_window.h"
#include "common/file_io.h"
#include "common/wide_text.h"
#include "journal_file.h"
#include "tavlo_sim.h"

namespace {

// %TAVLO_STATE% if set, else TAVLO.state beside the DLL.
std::wstring StateFilePath() {
    return sim::EnvironmentValue(L"TAVLO_STATE")
        .value_or(sim::ModuleFolder(sim::ThisModule()) + L"TAVLO.state");
}

tavlo_sim::DisplayRect PrimaryMonitor() {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info)) {
        return {};
    }
    return {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
}

// A real access violation on the thread delivering the pen data, as a faulty driver would cause:
// the address is read at run time, so the compiler cannot turn the write into anything else.
void AccessViolation() {
    volatile std::uintptr_t address = 0;
    *reinterpret_cast<volatile int*>(address) = 0;
}

class BoardHost {
  public:
    BoardHost() : statePath_(StateFilePath()), journal_(LoadState(statePath_)) {}

    void connect() {
        tavlo_sim::SetPostHook(
            [](HWND window, unsigned message) { PostMessageW(window, message, 0, 0); });
        tavlo_sim::SetJournalSink([this](std::string_view line) { journal_.append(line); });
        tavlo_sim::SetChangeHook(
            [this] { sim::WriteWholeFile(statePath_, tavlo_sim::StateText()); });
        tavlo_sim::SetFaultHook(AccessViolation);
    }

    // Before the host goes: the board must not call into it any more.
    static void disconnect() {
        tavlo_sim::SetPostHook(nullptr);
        tavlo_sim::SetJournalSink(nullptr);
        tavlo_sim::SetChangeHook(nullptr);
        tavlo_sim::SetFaultHook(nullptr);
    }

  private:
    // Returns the journal path the state names.
    static std::string LoadState(const std::wstring& path) {
        tavlo_sim::SetDefaultDisplay(PrimaryMonitor());
        // A missing file means the defaults.
        tavlo_sim::LoadStateText(sim::ReadWholeFile(path).value_or(""));
        return tavlo_sim::JournalPath();
    }

    std::wstring statePath_;
    tavlo_win::JournalFile journal_;
    tavlo_win::AutomationWindow automation_;
};

int openConnections = 0;
// A host still open when the process ends is closed by the static destructor; its window and
// file go with the process.
std::unique_ptr<BoardHost> host;

}  // namespace

namespace tavlo_host {

void ConnectionOpened() {
    if (openConnections++ == 0) {
        host = std::make_unique<BoardHost>();
        host->connect();
    }
}

void ConnectionClosed() {
    if (openConnections > 0 && --openConnections == 0) {
        BoardHost::disconnect();
        host.reset();
    }
}

}  // namespace tavlo_host
