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
#include "board_ledger.h"
#include "coverage.h"
#include "framework/headless/headless_host.h"
#include "pen_hand.h"
#include "random_source.h"
#include "report_names.h"
#include "run_folder.h"
#include "test_record.h"
#include "world.h"

struct SequenceOptions {
    // Prints every step as it is taken.
    bool trace = false;
};

// An invariant broken at a step of a sequence; what() says which, where and how.
class SequenceFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The process dies at a step: thrown by the step, caught by the sequence once the program's
// frames are unwound. Deliberately no std::exception, so that nothing in the program catches it.
struct RunKilled {};

// One random whole test: a world drawn from the seed, then the trace window opened on the
// headless host and driven step by step — pen events, time, keys, dialogs, the board set, the
// driver window, the mail client — until it is closed. The invariants are checked after every
// step, and the board settings, the report file and the mail after the window is gone. The run
// may be killed at any step; the program is then started again (sometimes first with
// "-restore"), and the next start must give the boards back from the restore record. The
// user's session may end at any step too, after which the process is ended.
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
    void newHost();
    void openWindow();
    // The window has taken the boards over: the ledger learns it, and the originals and the
    // record are checked.
    void noteStart();
    // Steps until the window is closed, then the checks after it.
    void runWindow();
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
    // Ends the process here (or the user's session, then the process).
    void kill(Place place);
    void endSession(Place place);
    bool mayKill() const;
    int testPointer();
    void noteTraceStep(TraceStage before, std::size_t clearedBefore, int monitorBefore);

    // --- processes that die and start again (sequence_restarts.cpp) ---
    // Notes what outlives the process and unwinds it.
    [[noreturn]] void die();
    // After the unwinding: the window and host are dropped without their end, the noted state
    // is put back (whatever destructors did while unwinding never happened) on a new host.
    void bury();
    // Between two processes: the board count may change, "-restore" may run, the record may
    // be made unreadable.
    void betweenRuns();
    void restoreRun();
    void spoilRecord();
    std::vector<OwnBoard> boardsAsTheyAre() const;
    // The unreadable record is beside the record's place under its set-aside name, and
    // `message` says where.
    void checkSetAside(std::wstring_view message);
    std::filesystem::path setAsidePath() const;

    // --- the dialogs' users (sequence_dialogs.cpp) ---
    void warningUser(headless::ModalSession& session);
    void saveUser(headless::ModalSession& session);
    void saveStep(headless::ModalSession& session);
    void mailClientOpen();
    int messageBoxOpen(std::wstring_view text, unsigned style);
    void outsideStep(Place place);
    std::optional<std::wstring> saveAsAnswer(unsigned flags);
    void offerName(const ReportName& name);
    // An older file in Documents under that name (when there is a Documents folder).
    void placeInDocuments(const std::wstring& fileName);

    // --- invariants while the window lives (sequence_live_checks.cpp) ---
    void checkOriginals();
    void checkStartMessages(bool unreadable);
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
    // How the step that ended the window could have finished a service run's test.
    enum class Finish { Not, PenUp, TimeOut };
    Finish finishedBy() const;
    void checkBoardsBack(std::int32_t traced);
    void checkReportAndMail();
    void checkService();
    void checkMail(const std::filesystem::path& report, bool expectMail);
    void checkReportFile(const std::filesystem::path& report, const TestRecord& test);
    enum class Where { Nowhere, Chosen, Documents, Elsewhere };
    struct ReportPlace {
        NameKind kind;
        Where where;
        std::filesystem::path file;  // empty: none
    };
    // Where this run's one report file is, checked against the kind of name it was given.
    ReportPlace checkReportPlace(const std::wstring& chosen, const std::wstring& proposed);
    void checkDocumentsName(const ReportPlace& place, const std::wstring& chosen,
                            const std::wstring& proposed);
    void checkMessages(const ReportPlace& place, const std::wstring& chosen,
                       const std::wstring& proposed, bool mailFailed);
    void checkMessageFits(std::wstring_view text);
    void checkSessionEnd();

    // --- the restore record (sequence_record_checks.cpp) ---
    void checkRecord();

    [[noreturn]] void fail(const std::string& what) const;

    std::uint64_t seed_;
    SequenceOptions options_;
    Coverage& coverage_;
    RandomSource rng_;
    World world_;
    RunFolder folder_;
    BoardLedger ledger_;
    std::filesystem::path recordPath_;  // empty: the world keeps no record
    std::unique_ptr<headless::HeadlessHost> host_;
    std::unique_ptr<CRimtraceDlg> dlg_;
    PenHand hand_;
    headless::ModalSession* session_ = nullptr;  // the dialog whose loop runs, if any

    std::uint64_t steps_ = 0;
    bool windingDown_ = false;

    // What outlives a process that dies: the simulated board's state, the driver window, the
    // record's folder, the clock. Noted by die(), put back by bury().
    struct Remains {
        std::string boardState;
        headless::FakeDriverWindow driver;
        FileSnapshot systemFiles;
        std::uint32_t tick = 0;
    };
    Remains remains_;
    bool dying_ = false;     // unwinding: the dialogs' users take no more steps
    bool starting_ = false;  // the window's initialisation runs
    bool started_ = false;   // it has taken the boards over
    int kills_ = 0;
    // The end of the session, as the window was when it came.
    struct SessionEnd {
        bool tearingDown = false;  // the report step had begun
        std::wstring reportPath;
        std::wstring proposedName;
        TestRecord test;
        std::int32_t activeBoard = 0;
        bool mailed = false;  // the mail client was used by the time it returned
    };
    std::optional<SessionEnd> sessionEnd_;
    // The record was made unreadable before this start: its text, to be found set aside.
    std::optional<std::string> spoiled_;
    // At most once a sequence: two records set aside within a second would share a name.
    bool spoiledOnce_ = false;
    // The files before this run started (reports of killed runs among them).
    FileSnapshot filesBefore_;
    std::string action_;            // the step being taken
    std::string ending_;            // the step during which the window was ended
    std::int32_t activeAtEnd_ = 0;  // the test's board at that moment

    // The world as the steps changed it.
    int boardsNow_ = 0;
    // This run's start: its boards, whether the driver window was there.
    int runBoards_ = 0;
    bool runDriver_ = true;
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
    // Older files put into Documents under the names a fallback would take.
    std::set<std::filesystem::path> placedInDocuments_;
    bool saveAccepted_ = false;
    std::optional<TestRecord> atMail_;  // the test as it was when the mail client opened
    std::vector<std::wstring> messages_;
    std::vector<std::wstring> startMessages_;  // shown while the window initialised
};
