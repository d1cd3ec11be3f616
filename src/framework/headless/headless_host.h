#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/headless/headless_log.h"
#include "framework/headless/headless_window.h"
#include "framework/headless/virtual_clock.h"
#include "framework/platform.h"

namespace headless {

class ModalSession;

// A monitor of the fake desktop; `readable` false makes its information unavailable.
struct FakeMonitor {
    fw::Rect rect;
    bool readable = true;
};

// The board driver's window as the host fakes it: per-board states answered and recorded.
struct FakeDriverWindow {
    bool present = false;
    std::map<int, bool> states;  // a board not listed answers "on"
};

// A run-time library of the fake system: exported names and their addresses.
struct FakeLibrary {
    std::map<std::string, void*> symbols;
};

// The test host: a Platform with a virtual clock, a timer table, a posted-message queue, an
// ordered log of everything the program asks of the platform, and modal dialogs whose user is a
// test script. Creating it makes it the current platform and routes the simulated board's
// messages to it; destroying it undoes both.
class HeadlessHost : public fw::Platform {
  public:
    HeadlessHost();
    ~HeadlessHost() override;
    HeadlessHost(const HeadlessHost&) = delete;
    HeadlessHost& operator=(const HeadlessHost&) = delete;

    // --- driving the program ---
    // Creates the dialog's window as the modal main window and initialises it; the test then
    // drives it with the calls below until it ends.
    void open(fw::CDialog& dialog);
    // Delivers every posted message (board data) in order, including those posted meanwhile.
    void pump();
    // Moves the clock on, firing due timers in time order.
    void advance(std::uint64_t milliseconds);
    // A key on the active window, as the dialog manager routes it: Escape is Cancel, Enter is OK,
    // everything else a key-down message.
    void pressKey(unsigned key);
    // The window's close command (system menu, Alt+F4): the default handling cancels.
    void close();
    // The process dies (killed, crashed): every window vanishes without another message, timers
    // and posted messages with them. The dialog objects may then be destroyed.
    void abandon();
    bool isOpen(const fw::CDialog& dialog) const;
    // Whether a window of that dialog template exists and is shown.
    bool showsWindow(unsigned templateId) const;
    // The result the main window ended with (0 while it runs).
    int mainResult() const { return mainResult_; }

    // The next modal dialog with this template runs this script as its user. A modal dialog
    // without a script is cancelled at once and reported in unexpectedModals.
    void onModal(unsigned templateId, std::function<void(ModalSession&)> script);
    std::vector<unsigned> unexpectedModals;

    // --- observation ---
    std::vector<LogEntry> log;
    // Called for each log entry as it happens (the program's state can be read at that moment).
    std::function<void(const LogEntry&)> observer;
    std::vector<std::string> journal;  // board settings and driver messages, in order
    HeadlessWindow* windowOf(const fw::CDialog& dialog) const;
    // Timers currently running on a window: id -> period.
    std::map<fw::TimerId, unsigned> timersOf(const fw::CDialog& dialog) const;
    // Timers running on any window, also on windows that are gone.
    std::size_t timerCount() const { return timers_.size(); }

    // --- the fake system ---
    VirtualClock clock;
    LocalDateTime now{2007, 3, 5, 9, 7, 5};
    std::wstring exePath = L"C:\\Tools\\rimtrace.exe";
    std::wstring documents = L"C:\\Users\\tech\\Documents";
    std::vector<FakeMonitor> monitors{{{0, 0, 1024, 768}, true}};
    FakeDriverWindow driver;
    std::map<std::wstring, FakeLibrary> libraries;
    std::function<std::optional<std::wstring>(std::wstring_view, unsigned)> saveAsUser;
    std::function<int(std::wstring_view text, std::wstring_view caption, unsigned style)>
        messageBoxUser;

    // --- fw::Platform ---
    // Start-up of the application object: recorded, with the key and main window kept.
    void initCommonControls() override { record(LogEntry(LogEntry::Kind::CommonControls)); }
    void enableControlContainer() override { record(LogEntry(LogEntry::Kind::ControlContainer)); }
    void setRegistryKey(std::wstring_view company) override {
        registryKey = company;
        LogEntry entry(LogEntry::Kind::RegistryKey);
        entry.text = company;
        record(entry);
    }
    std::wstring commandLine() override { return arguments; }
    void setMainWindow(fw::CDialog* dialog) override {
        mainWindow = dialog;
        LogEntry entry(LogEntry::Kind::MainWindow);
        entry.value = dialog != nullptr ? 1 : 0;
        record(entry);
    }
    // A claim fails while an earlier claim's lock is held (a start inside a running test).
    std::unique_ptr<fw::RunLock> claimOnlyRun() override;
    void showRunningTest() override { record(LogEntry(LogEntry::Kind::ShowRunningTest)); }
    std::wstring arguments;  // the command line after the program name
    std::wstring registryKey;
    fw::CDialog* mainWindow = nullptr;

    std::uint32_t tickCount() override { return clock.tickCount(); }
    LocalDateTime localTime() override { return now; }
    void messageBeep(unsigned type) override;
    void debugOutput(std::wstring_view text) override { debugLines.emplace_back(text); }
    std::vector<std::wstring> debugLines;

    std::wstring loadString(unsigned id) override;
    std::unique_ptr<fw::Bitmap> loadBitmap(unsigned id) override;
    HICON loadIcon(unsigned id) override;

    std::intptr_t runModal(fw::CDialog& dialog) override;
    bool createModeless(fw::CDialog& dialog) override;
    int messageBox(std::wstring_view text, std::wstring_view caption, unsigned style) override;
    std::optional<std::wstring> saveAsDialog(std::wstring_view initialName,
                                             unsigned flags) override;
    std::wstring appName() override { return L"rimtrace"; }

    HMONITOR monitorFromRect(const fw::Rect& rect) override;
    std::optional<fw::Rect> monitorRect(HMONITOR monitor) override;
    void enumDisplayMonitors(bool (*proc)(HMONITOR, void*), void* user) override;
    fw::Size primaryScreenSize() override;

    HWND findWindowByClass(std::wstring_view className) override;
    std::intptr_t sendMessage(HWND window, unsigned message, std::uintptr_t wParam,
                              std::intptr_t lParam) override;

    std::string toAnsi(std::wstring_view text) override;
    std::string toAnsiPath(std::wstring_view path) override;
    // The short forms the fake file system has, by long path.
    std::map<std::wstring, std::wstring> shortPaths;
    std::wstring modulePath() override { return exePath; }
    std::wstring documentsFolder() override { return documents; }
    std::wstring localAppDataFolder() override { return localAppData; }
    std::optional<std::wstring> environmentVariable(std::wstring_view name) override;
    // Empty: the user has no such folder (the default, so tests that do not look at the restore
    // record leave no files).
    std::wstring localAppData;
    std::map<std::wstring, std::wstring, std::less<>> environment;
    std::unique_ptr<fw::Library> loadLibrary(std::wstring_view name) override;

    // --- used by HeadlessWindow and ModalSession ---
    void record(LogEntry entry);
    fw::TimerId startTimer(HWND window, fw::TimerId id, unsigned milliseconds);
    bool stopTimer(HWND window, fw::TimerId id);
    void destroyWindow(HeadlessWindow& window);
    // Delivers posted messages and timers until `stop` says so or nothing is left.
    void pumpWhile(const std::function<bool()>& running);
    void advanceWhile(std::uint64_t milliseconds, const std::function<bool()>& running);

  private:
    struct Timer {
        HWND window;
        fw::TimerId id;
        unsigned period;
        std::uint64_t due;
    };
    struct Posted {
        HWND window;
        unsigned message;
    };

    HeadlessWindow& createWindow(fw::CDialog& dialog);
    HeadlessWindow* find(HWND handle) const;
    void dispatch(const Posted& message);
    // After a message handled at the outermost level: a main window whose run was ended is
    // destroyed, as the modal loop does when it gets control back.
    void finishOutermost();
    void forgetTimers(HWND window);

    std::vector<std::unique_ptr<HeadlessWindow>> windows_;
    std::deque<Posted> posted_;
    std::vector<Timer> timers_;
    std::map<unsigned, std::deque<std::function<void(ModalSession&)>>> scripts_;
    std::vector<HeadlessWindow*> modalStack_;
    HeadlessWindow* main_ = nullptr;
    int mainResult_ = 0;
    int depth_ = 0;
    std::uintptr_t nextHandle_ = 0x1000;
    bool runLockHeld_ = false;
};

// What a modal dialog's script can do: act as its user and let the rest of the system go on
// while the dialog waits.
class ModalSession {
  public:
    ModalSession(HeadlessHost& host, HeadlessWindow& window) : host_(host), window_(window) {}

    fw::CDialog& dialog() { return window_.dialog(); }
    bool ended() const { return window_.ended(); }
    std::wstring text(int id) const { return window_.itemText(id); }
    int check(int id) const { return window_.itemCheck(id); }
    // Types into an edit control, replacing its text.
    void type(int id, std::wstring_view text) { window_.setItemText(id, text); }
    // Clicks a push button: OK and Cancel as the dialog manager routes them, others as commands.
    void click(int id);
    // Clicks an automatic check box: its state flips, then the click notification follows.
    void toggle(int id);
    // Board data and timers keep being dispatched while the dialog runs, until it ends.
    void pump();
    void advance(std::uint64_t milliseconds);

  private:
    HeadlessHost& host_;
    HeadlessWindow& window_;
};

}  // namespace headless
