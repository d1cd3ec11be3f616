#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/rimtrace_dlg.h"
#include "board_ledger.h"
#include "coverage.h"
#include "pen_hand.h"

// An invariant broken at a step of a sequence; what() says which, where and how.
class SequenceFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The process dies at a step: thrown by the step, caught by the sequence once the program's
// frames are unwound. Deliberately no std::exception, so that nothing in the program catches it.
struct RunKilled {};

// The points of a test at one moment — its twelve arrays, then its extra strokes — as its report
// must hold them.
using TestPoints = std::vector<std::vector<BoardPoint>>;
TestPoints PointsOf(const CRimtraceDlg& dlg);

// Whether a message names `path`, once its lines are joined again.
bool Names(std::wstring message, const std::wstring& path);

// One random whole test: a world drawn from the seed, then the trace window opened on the
// headless host and driven step by step — pen events, time, keys, dialogs, the board set, the
// driver window, the mail client — until it is closed. The invariants are checked after every
// step, and the boards, the restore record and the report after the window is gone. The run
// may be killed at any step; the program is then started again (sometimes first with
// "-restore"). The user's session may end at any step too, after which the process is ended.
class Sequence {
  public:
    // A sequence that has not ended by itself after this many steps winds down: it answers
    // its dialogs and closes the window.
    static constexpr std::uint64_t kMaxSteps = 3000;

    Sequence(std::uint64_t seed, bool trace, Coverage& coverage);
    ~Sequence();
    Sequence(const Sequence&) = delete;
    Sequence& operator=(const Sequence&) = delete;

    // Plays the sequence to its end; throws SequenceFailure at the first broken invariant.
    void play();
    std::uint64_t steps() const { return steps_; }

  private:
    // Where the step is taken: which loop is dispatching the window's messages.
    enum class Place { Trace, Warning, Save, Mail, MessageBox };
    // One thing the user or the world may do at a place, and how often.
    struct Action {
        unsigned weight;
        const char* label;  // names the step; the checks of endings and dialogs go by it
        std::function<void()> act;
    };
    // How a step could have finished an edge, or a service run's test.
    enum class Finish { Not, PenUp, TimeOut };
    static Finish FinishedBy(std::string_view step);

    // --- steps (sequence.cpp) ---
    void newHost();
    // A new process opens the trace window and runs it to its end.
    void runWindow();
    // The window has taken the boards over: the ledger learns it; originals and record checked.
    void noteStart();
    void traceStep();
    // Takes one of `actions`, drawn by weight, as the next step at `place`.
    void act(Place place, const std::vector<Action>& actions);
    std::function<void()> press(unsigned key);
    // The next pen event: the technician's hand, or a wild one from any pointer.
    PenEvent nextPen(bool wild);
    void queue(const PenEvent& e);
    void deliver(Place place);
    void pen(Place place, bool wild = false);
    void penBatch(Place place);
    void passTime(Place place, std::int64_t milliseconds);
    void randomTime(Place place);
    void otherKey();
    void changeBoards();
    void toggleDriver();
    // Ends the process here (or the user's session, then the process).
    void kill(Place place);
    void endSession();
    bool mayKill() const;

    // --- processes that die and start again (sequence_restarts.cpp) ---
    // Notes what outlives the process and unwinds it.
    [[noreturn]] void die();
    // After the unwinding: the window and host are dropped without their end, the noted state
    // is put back (whatever destructors did while unwinding never happened) on a new host.
    void bury();
    // Between two processes: the board count may change, the record may be made unreadable,
    // "-restore" may run.
    void betweenRuns();
    // A new host for the next process, with the driver window as it was and a later tick count.
    void nextProcess(headless::FakeDriverWindow driver, std::uint32_t tick);
    void restoreRun();
    void spoilRecord();
    // The unreadable record's text is kept beside the record's place, and `message` says where.
    void checkSetAside(std::wstring_view message);
    // The record on disk holds exactly what the ledger says the boards are owed.
    void checkRecord();

    // --- the dialogs' users (sequence_dialogs.cpp) ---
    // Runs a dialog's loop with `step` as its user until the dialog ends, checking the
    // invariants after each step; returns the step that closed it.
    std::string useDialog(headless::ModalSession& s, Place place,
                          const std::function<void()>& step);
    void warningUser(headless::ModalSession& session);
    void saveUser(headless::ModalSession& session);
    void saveStep(headless::ModalSession& session);
    void mailClientOpen();
    int messageBoxOpen(std::wstring_view text);
    void outsideStep(Place place);
    std::wstring randomReportName();
    std::wstring randomSerial();
    // An older file in Documents under the file name of `name`, which a fallback must not take.
    void placeInDocuments(const std::wstring& name);

    // --- invariants (sequence_live_checks.cpp while the window lives, else end_checks) ---
    void checkLive(Place place);
    // The sizes of the twelve point arrays, then the number of extra strokes and their points.
    std::vector<std::size_t> sizes() const;
    // After the window is gone, or the session ended.
    void checkEnd();
    void checkBoardsBack(std::int32_t traced);
    // This run's one report: where it may be, read back; the file, or empty for none.
    std::filesystem::path checkReport(const std::wstring& chosen, const TestPoints& test);
    void checkMessageFits(std::wstring_view text);
    [[noreturn]] void fail(const std::string& what) const;

    bool trace_;
    Coverage& coverage_;
    RandomSource rng_;
    World world_;
    RunFolder folder_;
    BoardLedger ledger_;
    std::filesystem::path recordPath_;  // empty: the world keeps no record
    std::unique_ptr<headless::HeadlessHost> host_;
    std::unique_ptr<CRimtraceDlg> dlg_;
    headless::ModalSession* session_ = nullptr;  // the dialog whose loop runs, if any
    std::uint64_t steps_ = 0;
    bool windingDown_ = false;
    std::string action_;  // the step being taken
    int boardsNow_ = 0;   // the world as the steps changed it
    int kills_ = 0;
    bool dying_ = false;  // unwinding: the dialogs' users take no more steps
    // What outlives a process that dies: the simulated board's state, the driver window, the
    // record's folder, the clock. Noted by die(), put back by bury().
    struct Remains {
        std::string boardState;
        headless::FakeDriverWindow driver;
        FileSnapshot systemFiles;
        std::uint32_t tick = 0;
    };
    Remains remains_;
    // The end of the session, as the window was when it came.
    struct SessionEnd {
        bool tearingDown = false;  // the report step had begun
        std::wstring reportPath;
        TestPoints test;
        std::int32_t activeBoard = 0;
        bool mailed = false;  // the mail client was used by the time it returned
    };
    std::optional<SessionEnd> sessionEnd_;
    // The record was made unreadable before this start: its text, to be found set aside.
    std::optional<std::string> spoiled_;
    // At most once a sequence: two records set aside within a second would share a name.
    bool spoiledOnce_ = false;
    std::set<std::filesystem::path> setAside_;  // where unreadable records were moved
    std::set<TraceStage> stagesSeen_;

    // One process's run of the window, from its start.
    struct Run {
        int boards = 0;                        // attached at the start
        bool driver = true;                    // the driver window there at the start
        std::vector<bool> attachedSinceStart;  // per board of the start
        FileSnapshot filesBefore;              // reports of killed runs among them
        bool starting = true;                  // the window's initialisation runs
        bool started = false;                  // it has taken the boards over
        std::string ending;                    // the step during which the window was ended
        std::int32_t activeAtEnd = 0;          // the test's board at that moment
        PenHand hand;
        std::array<std::size_t, 12> checkedPoints{};  // points of each array checked so far
        std::int32_t lastActiveBoard = 0;
        bool leftEdgeWasEmpty = true;
        std::optional<std::uint64_t> lastWarningAt;
        int saveDialogs = 0;
        // The test when the speed warning or the end-of-test dialog opened.
        TraceStage frozenStage = 0;
        std::vector<std::size_t> frozenSizes;
        std::set<std::filesystem::path> placedInDocuments;
        std::optional<TestPoints> atMail;  // the test as it was when the mail client opened
        std::vector<std::wstring> messages;
        std::vector<std::wstring> startMessages;  // shown while the window initialised
    };
    Run run_;
};
