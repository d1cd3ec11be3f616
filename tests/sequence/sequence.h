#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/rimtrace_dlg.h"
#include "coverage.h"
#include "framework/headless/headless_host.h"
#include "pen_hand.h"
#include "random_source.h"
#include "report_names.h"
#include "run_folder.h"
#include "test_record.h"
#include "world.h"

struct SequenceOptions {
    // Also the inputs and checks of three behaviours that a pending change brings: a pointer
    // of no board never becomes the test's board, a report whose name the Documents folder
    // cannot take goes there under the default name, and control characters in the serial
    // number are written as blanks.
    bool strict = false;
    // Prints every step as it is taken.
    bool trace = false;
};

// An invariant broken at a step of a sequence; what() says which, where and how.
class SequenceFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// One random whole test: a world drawn from the seed, then the trace window opened on the
// headless host and driven step by step — pen events, time, keys, dialogs, the board set, the
// driver window, the mail client — until it is closed. The invariants are checked after every
// step, and the board settings, the report file and the mail after the window is gone.
class Sequence {
  public:
    // A sequence that has not ended by itself after this many steps winds down: it answers
    // its dialogs and closes the window.
    static constexpr std::uint64_t kMaxSteps = 3000;

    Sequence(std::uint64_t seed, const SequenceOptions& options, Coverage& coverage);
    ~Sequence();
    Sequence(const Sequence&) = delete;
    Sequence& operator=(const Sequence&) = delete;

    // Plays the sequence to its end; throws SequenceFailure at the first broken invariant.
    void play();
    std::uint64_t steps() const { return steps_; }

  private:
    // Where the step is taken: which loop is dispatching the window's messages.
    enum class Place { Trace, Warning, Save, Mail, MessageBox };

    // --- steps (sequence.cpp) ---
    // The world goes onto the simulated board and a new host; then the trace window opens on
    // it and the originals it saves are checked against the boards' own values.
    void installWorld();
    void openWindow();
    void traceStep();
    void begin(Place place, std::string label);
    void queue(const PenEvent& e);
    void pen(Place place);
    void wildPen(Place place);
    void penBatch(Place place);
    void deliver(Place place);
    void passTime(Place place, std::uint64_t milliseconds);
    void randomTime(Place place);
    void key(Place place, unsigned key, std::string label);
    void otherKey(Place place);
    void changeBoards(Place place);
    void toggleDriver(Place place);
    void closeMain(Place place);
    int testPointer();
    void noteTraceStep(TraceStage before, std::size_t clearedBefore, int monitorBefore);

    // --- the dialogs' users (sequence_dialogs.cpp) ---
    void warningUser(headless::ModalSession& session);
    void saveUser(headless::ModalSession& session);
    void saveStep(headless::ModalSession& session);
    void mailClientOpen();
    int messageBoxOpen(std::wstring_view text, unsigned style);
    void outsideStep(Place place);
    std::optional<std::wstring> saveAsAnswer(unsigned flags);
    void offerName(const ReportName& name);

    // --- invariants while the window lives (sequence_live_checks.cpp) ---
    void checkOriginals();
    void checkLive(Place place);
    void checkArrays();
    void checkPrompt();
    void checkWarningFlags(Place place);
    void checkTimers(Place place);
    void checkActiveBoard();
    void checkBoardsSwitchedOff();
    // The sizes of the twelve point arrays, then the number of free strokes and their points.
    std::vector<std::size_t> sizes() const;

    // --- after the window is gone (sequence_end_checks.cpp) ---
    void checkEnd();
    void checkEnding();
    void checkBoardsBack();
    void checkReportAndMail();
    void checkService();
    void checkMail(const std::filesystem::path& report, bool expectMail);
    void checkReportFile(const std::filesystem::path& report);

    [[noreturn]] void fail(const std::string& what) const;

    std::uint64_t seed_;
    SequenceOptions options_;
    Coverage& coverage_;
    RandomSource rng_;
    World world_;
    RunFolder folder_;
    std::unique_ptr<headless::HeadlessHost> host_;
    std::unique_ptr<CRimtraceDlg> dlg_;
    PenHand hand_;
    headless::ModalSession* session_ = nullptr;  // the dialog whose loop runs, if any
    HWND mainWindow_ = nullptr;

    std::uint64_t steps_ = 0;
    bool windingDown_ = false;
    std::string action_;  // the step being taken
    std::string ending_;  // the step during which the window was ended
    std::int32_t activeAtEnd_ = 0;  // the test's board at that moment

    // The world as the steps changed it.
    int boardsNow_ = 0;
    std::vector<bool> attachedSinceStart_;  // per board of the start

    // Kept from check to check.
    std::array<std::size_t, 12> checkedPoints_{};
    std::int32_t lastActiveBoard_ = 0;
    bool leftEdgeWasEmpty_ = true;
    std::set<TraceStage> stagesSeen_;
    std::optional<std::uint64_t> lastWarningAt_;
    TraceStage warningStage_ = 0;
    std::vector<std::size_t> warningSizes_;
    std::vector<std::size_t> saveSizes_;
    int saveDialogs_ = 0;

    // For the checks after the window is gone.
    // Every name offered to the end-of-test dialog; without its OK the path stays empty.
    std::map<std::wstring, NameKind> names_{{L"", NameKind::Empty}};
    bool saveAccepted_ = false;
    std::optional<TestRecord> atMail_;  // the test as it was when the mail client opened
    std::vector<std::wstring> messages_;
};
