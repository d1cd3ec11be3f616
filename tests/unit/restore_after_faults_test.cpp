// The boards' own values survive a run that ends badly, pinned case by case: the record on disk
// before any board is switched off, a killed run given back by the next start in the order of a
// normal end, a record that cannot be read, the session's end, a crash; and "-restore" without a
// test. Kills, unplugged boards and ended sessions at any moment are the random sequences'.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "app/restore_run.h"
#include "app/rimtrace_app.h"
#include "board/emergency_restore.h"
#include "framework/constants.h"
#include "res/resource.h"
#include "support/fake_mapi.h"
#include "support/temp_folder.h"
#include "support/trace_fixture.h"

using headless::LogEntry;
namespace fs = std::filesystem;

class RestoreAfterFaults : public BoardsTest {
  protected:
    void SetUp() override {
        fs::create_directories(dir_ / "docs");
        host.localAppData = (dir_ / "local").wstring();
        host.documents = (dir_ / "docs").wstring();
    }
    void TearDown() override { ClearEmergencyRestore(); }

    fs::path Record() const { return dir_ / "local" / "rimtrace" / "restore-record.txt"; }

    // The process dies mid-test: no window message, no destructor of anything that matters.
    void Kill() {
        host.abandon();
        dlg.reset();
    }
    TempFolder folder_;
    const fs::path& dir_ = folder_.path();
};

TEST_F(RestoreAfterFaults, TheRecordIsOnDiskBeforeAnyBoardIsSwitchedOff) {
    bool switchedOffWithoutRecord = false;
    tavlo_sim::SetChangeHook([&] {
        if (tavlo_sim::Setting(1, 0) == 0 && !fs::exists(Record())) {
            switchedOffWithoutRecord = true;
        }
    });
    Open();
    tavlo_sim::SetChangeHook(nullptr);
    EXPECT_FALSE(switchedOffWithoutRecord);
    ExpectSwitchedOff(1);
    EXPECT_EQ(FileBytes(Record()),
              "rimtrace restore record 1\n"
              "board 1 setting0=0x0000000A setting1=0x0000000B setting4=0x0000000E driver=on\n"
              "board 2 setting0=0x00000014 setting1=0x00000015 setting4=0x80000024 driver=off\n"
              "board 3 setting0=0x0000001E setting1=0x0000001F setting4=0x00000022 driver=on\n"
              "end\n");
}

TEST_F(RestoreAfterFaults, AKilledRunIsGivenBackByTheNextStartBeforeItReadsOriginals) {
    Open();
    StrokeY(20, 100, 2000);
    Kill();
    RunEmergencyRestore();  // a crash once the window is gone reaches nothing
    ExpectSwitchedOff(1);
    ExpectSwitchedOff(3);

    const std::size_t before = host.journal.size();
    Open();
    // The earlier run's boards first, in the order of a normal end; then this run's switch-off.
    const std::vector<std::string> start(
        host.journal.begin() + static_cast<std::ptrdiff_t>(before),
        host.journal.begin() + static_cast<std::ptrdiff_t>(before) + 4);
    EXPECT_EQ(start,
              (std::vector<std::string>{
                  "tavlo set board=1 setting=0 value=0xA", "tavlo set board=1 setting=1 value=0xB",
                  "tavlo set board=1 setting=4 value=0xE", "board50 set board=1 state=1"}));
    ASSERT_EQ(dlg->m_savedBoardSettings.size(), 3u);
    EXPECT_EQ(dlg->m_savedBoardSettings[0].intSetting0, 10);  // not the 0 the dead run left
    EXPECT_FALSE(dlg->m_savedBoardSettings[1].driverState);
    host.pressKey(fw::kVkEscape);
    ExpectOwnValues();
    EXPECT_FALSE(fs::exists(Record()));
}

// What happens while the message about an unreadable record waits for the user.
enum class WhileTold { Nothing, BoardsUnplugged, SessionEnds, LeftEdgeTraced };

class UnreadableRecord : public RestoreAfterFaults,
                         public ::testing::WithParamInterface<WhileTold> {};

// The start must not depend on what happens while the message is up.
TEST_P(UnreadableRecord, IsMovedAsideToldOnceAndNothingOfItApplied) {
    const std::string text = "rimtrace restore record 1\nboard 1 setting0=0x0000000";
    folder_.write("local/rimtrace/restore-record.txt", text);
    host.messageBoxUser = [this](std::wstring_view, std::wstring_view, unsigned) {
        switch (GetParam()) {
            case WhileTold::Nothing:
                break;
            case WhileTold::BoardsUnplugged:
                tavlo_sim::SetBoardCount(1);
                break;
            case WhileTold::SessionEnds:
                dlg->OnEndSession(true);
                break;
            case WhileTold::LeftEdgeTraced:
                StrokeY(20, 10, 4080);
                break;
        }
        return fw::kIdOk;
    };
    Open();
    const fs::path aside = Record().parent_path() / "restore-record.unreadable-20070305-090705.txt";
    EXPECT_EQ(FileBytes(aside), text);
    const auto messages = Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"could not be read"), std::wstring::npos);
    EXPECT_NE(messages[0].find(aside.filename().wstring()), std::wstring::npos);
    if (GetParam() == WhileTold::LeftEdgeTraced) {  // the window was ready for the pen
        EXPECT_EQ(dlg->m_stage, stage::kFirstBottom);
        EXPECT_EQ(dlg->m_prompt, host.loadString(IDS_TRACE_BOTTOM));
    }
    if (GetParam() != WhileTold::SessionEnds) {
        tavlo_sim::SetBoardCount(3);  // unplugged boards come back, as new boards do
        host.pressKey(fw::kVkEscape);
    }
    ExpectOwnValues();
    EXPECT_FALSE(fs::exists(Record()));
}

INSTANTIATE_TEST_SUITE_P(WhileTheMessageIsUp, UnreadableRecord,
                         ::testing::Values(WhileTold::Nothing, WhileTold::BoardsUnplugged,
                                           WhileTold::SessionEnds, WhileTold::LeftEdgeTraced));

TEST_F(RestoreAfterFaults, WithoutAFolderForTheRecordTheTestStillRuns) {
    host.localAppData.clear();
    Open();
    ExpectSwitchedOff(1);
    host.pressKey(fw::kVkEscape);
    ExpectOwnValues();
    EXPECT_TRUE(Messages().empty());
}

TEST_F(RestoreAfterFaults, TheEndOfTheSessionGivesTheBoardsBackAndWritesAChosenReport) {
    FakeMapi::Install(host, FakeMapi::Mode::Ok);
    Open();
    StrokeY(20, 100, 2000);
    dlg->m_reportPath = (dir_ / "r.pts").wstring();
    dlg->m_sendReport = true;
    dlg->OnEndSession(true);
    ExpectOwnValues();
    EXPECT_FALSE(fs::exists(Record()));
    EXPECT_TRUE(fs::exists(dir_ / "r.pts"));
    EXPECT_TRUE(FakeMapi::logonFlags.empty());  // no window may be shown any more
    EXPECT_EQ(tavlo_sim::AttachedWindow(), nullptr);

    // Should the window still get its normal end, nothing is done twice.
    const std::size_t before = host.journal.size();
    host.pressKey(fw::kVkEscape);
    EXPECT_EQ(host.journal.size(), before);
    EXPECT_TRUE(FakeMapi::sent.empty());
}

TEST_F(RestoreAfterFaults, ASessionThatGoesOnChangesNothing) {
    Open();
    dlg->OnEndSession(false);
    ExpectSwitchedOff(1);
    EXPECT_TRUE(fs::exists(Record()));
}

TEST_F(RestoreAfterFaults, ACrashGivesTheBoardsBackFromTheSavedValues) {
    Open();
    StrokeY(20, 100, 2000);
    RunEmergencyRestore();
    ExpectOwnValues();
    EXPECT_FALSE(fs::exists(Record()));
    Kill();
}

// A crash inside the restore enters the crash handler again, which must not start it twice.
TEST_F(RestoreAfterFaults, ACrashInsideTheRestoreDoesNotStartItAgain) {
    int runs = 0;
    SetEmergencyRestore([&] {
        if (++runs == 1) {
            RunEmergencyRestore();
        }
        throw std::runtime_error("board 2 failed");
    });
    RunEmergencyRestore();
    EXPECT_EQ(runs, 1);
}

class RestoreRun : public RestoreAfterFaults {
  protected:
    int RunWithArguments(std::wstring arguments) {
        host.arguments = std::move(arguments);
        CRimtraceApp app;
        EXPECT_FALSE(app.InitInstance());
        return app.ExitCode();
    }
    bool TraceWindowOpened() const {
        for (const auto& e : host.log) {
            if (e.kind == LogEntry::Kind::ModalOpened) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(RestoreRun, GivesBackWhatAKilledRunLeftWithoutOpeningTheWindow) {
    Open();
    Kill();
    host.log.clear();
    EXPECT_EQ(RunWithArguments(L"-restore"), 0);
    EXPECT_FALSE(TraceWindowOpened());
    ExpectOwnValues();
    EXPECT_FALSE(fs::exists(Record()));
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(RunWithArguments(L"-restore"), 0);  // nothing left to do
}

TEST_F(RestoreRun, BoardsNotAttachedAreNamedAndStayInTheRecord) {
    Open();
    Kill();
    tavlo_sim::SetBoardCount(1);
    EXPECT_EQ(RunWithArguments(L"-restore"), 2);
    ExpectOwnValues(1);
    const auto messages = Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"board 2, board 3"), std::wstring::npos);
    const auto record = ParseRestoreRecord(FileBytes(Record()));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->size(), 2u);
}

TEST_F(RestoreRun, AnUnreadableRecordFailsWithAMessage) {
    folder_.write("local/rimtrace/restore-record.txt", "garbage");
    EXPECT_EQ(RunWithArguments(L"-restore"), 1);
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_FALSE(fs::exists(Record()));
    EXPECT_FALSE(TraceWindowOpened());
}

TEST_F(RestoreRun, OnlyTheExactWordSelectsIt) {
    host.onModal(IDD_RIMTRACE_DIALOG, [](headless::ModalSession& s) { s.click(fw::kIdCancel); });
    EXPECT_EQ(RunWithArguments(L"-Restore"), 0);
    EXPECT_TRUE(TraceWindowOpened());
}

// A start while a test runs (a double click too many, "-service", "-restore") leaves that test
// alone: no board touched, its record as it was, exit code 3. The running test is brought to the
// front, or "-restore" says why it gave nothing back. The test then ends as if alone.
class SecondStart : public RestoreRun, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(SecondStart, LeavesTheRunningTestAlone) {
    const std::wstring second = GetParam();
    host.onModal(IDD_RIMTRACE_DIALOG, [&](headless::ModalSession& s) {
        Down(20, 40);
        const std::string record = FileBytes(Record());
        const auto journal = host.journal;
        EXPECT_EQ(RunWithArguments(second), kExitTestRunning);
        EXPECT_EQ(host.journal, journal);
        EXPECT_EQ(FileBytes(Record()), record);
        const bool restore = second == L"-restore";
        EXPECT_EQ(Messages().size(), restore ? 1u : 0u);
        EXPECT_EQ(Count(LogEntry::Kind::ShowRunningTest), restore ? 0u : 1u);
        s.click(fw::kIdCancel);
    });
    EXPECT_EQ(RunWithArguments(L""), 0);
    ExpectOwnValues();
    EXPECT_FALSE(fs::exists(Record()));
    EXPECT_EQ(RunWithArguments(L"-restore"), 0);  // the test let go when it ended
}

INSTANTIATE_TEST_SUITE_P(AnyStart, SecondStart, ::testing::Values(L"", L"-service", L"-restore"));
