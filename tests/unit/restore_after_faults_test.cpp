// The boards' own values survive every way a run can end badly: killed, crashed, the session
// ended, a record that cannot be read, boards that come and go between runs; and "-restore"
// gives them back without a test.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/restore_run.h"
#include "app/rimtrace_app.h"
#include "board/emergency_restore.h"
#include "framework/constants.h"
#include "res/resource.h"
#include "support/fake_mapi.h"
#include "support/trace_fixture.h"
#include "trace/stage_table.h"

using headless::LogEntry;
namespace fs = std::filesystem;

namespace {
std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
}  // namespace

class RestoreAfterFaults : public TraceTest {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("rimtrace-restore-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "docs");
        host.localAppData = (dir_ / "local").wstring();
        host.documents = (dir_ / "docs").wstring();
        host.driver.present = true;
        host.driver.states = {{1, true}, {2, false}, {3, true}};
        SetOwnValues();
    }
    void TearDown() override {
        ClearEmergencyRestore();
        fs::remove_all(dir_);
    }

    // The boards' own values: board b has b1, b2, b4 (board 2's setting 4 with its top bit set).
    static void SetOwnValues() {
        for (int board = 1; board <= 3; ++board) {
            tavlo_sim::SetSetting(board, 0, 10u * board);
            tavlo_sim::SetSetting(board, 1, 10u * board + 1);
            tavlo_sim::SetSetting(board, 4, board == 2 ? 0x80000024u : 10u * board + 4);
        }
    }
    void ExpectOwnValues(int boards = 3) {
        for (int board = 1; board <= boards; ++board) {
            EXPECT_EQ(tavlo_sim::Setting(board, 0), 10u * board) << "board " << board;
            EXPECT_EQ(tavlo_sim::Setting(board, 1), 10u * board + 1) << "board " << board;
            EXPECT_EQ(tavlo_sim::Setting(board, 4), board == 2 ? 0x80000024u : 10u * board + 4);
        }
        EXPECT_TRUE(host.driver.states[1]);
        EXPECT_FALSE(host.driver.states[2]);
    }
    void ExpectSwitchedOff(int board) {
        for (int setting : {0, 1, 4}) {
            EXPECT_EQ(tavlo_sim::Setting(board, setting), 0u) << board << "/" << setting;
        }
    }
    fs::path Record() const { return dir_ / "local" / "rimtrace" / "restore-record.txt"; }

    // The process dies mid-test: no window message, no destructor of anything that matters.
    void Kill() {
        host.abandon();
        dlg.reset();
    }
    std::vector<std::wstring> Messages() const {
        std::vector<std::wstring> texts;
        for (const auto& e : host.log) {
            if (e.kind == LogEntry::Kind::MessageBox) {
                texts.push_back(e.text);
            }
        }
        return texts;
    }

    fs::path dir_;
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
    EXPECT_EQ(ReadAll(Record()),
              "rimtrace restore record 1\n"
              "board 1 setting0=0x0000000A setting1=0x0000000B setting4=0x0000000E driver=on\n"
              "board 2 setting0=0x00000014 setting1=0x00000015 setting4=0x80000024 driver=off\n"
              "board 3 setting0=0x0000001E setting1=0x0000001F setting4=0x00000022 driver=on\n"
              "end\n");
}

TEST_F(RestoreAfterFaults, TheRecordGoesOnlyAfterTheBoardsAreBackAtTheNormalEnd) {
    FakeMapi::Install(host, FakeMapi::Mode::Ok);
    bool recordDuringMail = false;
    FakeMapi::duringSend = [&] { recordDuringMail = fs::exists(Record()); };
    Open();
    dlg->m_reportPath = (dir_ / "r.pts").wstring();
    dlg->m_sendReport = true;
    host.pressKey(fw::kVkEscape);
    EXPECT_TRUE(recordDuringMail);
    ExpectOwnValues();
    EXPECT_FALSE(fs::exists(Record()));
}

TEST_F(RestoreAfterFaults, AKilledRunIsGivenBackByTheNextStartBeforeItReadsOriginals) {
    Open();
    StrokeY(20, 100, 2000);
    Kill();
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

TEST_F(RestoreAfterFaults, BoardsThatAreGoneWaitInTheRecordForTheRunThatSeesThemAgain) {
    Open();
    Kill();
    tavlo_sim::SetBoardCount(2);  // board 3 unplugged while nothing ran
    Open();
    ExpectSwitchedOff(1);
    host.pressKey(fw::kVkEscape);
    ExpectOwnValues(2);
    EXPECT_EQ(ReadAll(Record()),
              "rimtrace restore record 1\n"
              "board 3 setting0=0x0000001E setting1=0x0000001F setting4=0x00000022 driver=on\n"
              "end\n");

    // Board 3 comes back during the next test, still switched off: its own values, not the
    // defaults, are what that test's end gives it.
    dlg.reset();
    Open();
    tavlo_sim::SetBoardCount(3);
    for (int setting : {0, 1, 4}) {
        tavlo_sim::SetSetting(3, setting, 0);
    }
    host.pressKey(fw::kVkEscape);
    ExpectOwnValues(3);
    EXPECT_FALSE(fs::exists(Record()));
}

TEST_F(RestoreAfterFaults, BoardsThatLeaveDuringATestKeepTheirValuesOnDisk) {
    Open();
    tavlo_sim::SetBoardCount(1);
    host.pressKey(fw::kVkEscape);
    const auto record = ParseRestoreRecord(ReadAll(Record()));
    ASSERT_TRUE(record);
    ASSERT_EQ(record->size(), 2u);
    EXPECT_EQ((*record)[0].board, 2);
    EXPECT_EQ(static_cast<std::uint32_t>((*record)[0].settings.intSetting4), 0x80000024u);
    EXPECT_EQ((*record)[1].board, 3);
}

TEST_F(RestoreAfterFaults, AnUnreadableRecordIsMovedAsideTheUserToldAndNothingApplied) {
    fs::create_directories(Record().parent_path());
    std::ofstream(Record()) << "rimtrace restore record 1\nboard 1 setting0=0x0000000";
    tavlo_sim::SetSetting(1, 0, 99);
    Open();
    const auto messages = Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"could not be read"), std::wstring::npos);
    const fs::path aside = Record().parent_path() / "restore-record.unreadable-20070305-090705.txt";
    EXPECT_TRUE(fs::exists(aside));
    EXPECT_NE(messages[0].find(aside.filename().wstring()), std::wstring::npos);
    EXPECT_EQ(dlg->m_savedBoardSettings[0].intSetting0, 99);  // read as it was, nothing applied
    host.pressKey(fw::kVkEscape);
    EXPECT_EQ(tavlo_sim::Setting(1, 0), 99u);
    EXPECT_FALSE(fs::exists(Record()));
}

// The message about an unreadable record waits for the user; the start must not depend on what
// happens meanwhile.
TEST_F(RestoreAfterFaults, BoardsUnpluggedWhileAnUnreadableRecordIsToldKeepTheirOwnValues) {
    fs::create_directories(Record().parent_path());
    std::ofstream(Record()) << "garbage";
    host.messageBoxUser = [](std::wstring_view, std::wstring_view, unsigned) {
        tavlo_sim::SetBoardCount(1);
        return fw::kIdOk;
    };
    Open();
    ASSERT_EQ(Messages().size(), 1u);
    // The boards come back during the test, as new boards do.
    tavlo_sim::SetBoardCount(3);
    host.pressKey(fw::kVkEscape);
    ExpectOwnValues();
    EXPECT_FALSE(fs::exists(Record()));
}

TEST_F(RestoreAfterFaults, TheSessionEndingWhileAnUnreadableRecordIsToldLeavesTheBoardsAlone) {
    fs::create_directories(Record().parent_path());
    std::ofstream(Record()) << "garbage";
    host.messageBoxUser = [this](std::wstring_view, std::wstring_view, unsigned) {
        dlg->OnEndSession(true);
        return fw::kIdOk;
    };
    Open();
    ExpectOwnValues();
    EXPECT_FALSE(fs::exists(Record()));
}

TEST_F(RestoreAfterFaults, PensWhileAnUnreadableRecordIsToldMeetAWindowThatIsReady) {
    fs::create_directories(Record().parent_path());
    std::ofstream(Record()) << "garbage";
    host.messageBoxUser = [this](std::wstring_view, std::wstring_view, unsigned) {
        StrokeY(20, 10, 4080);  // the whole left edge
        return fw::kIdOk;
    };
    Open();
    ASSERT_EQ(dlg->m_stage, 1);
    EXPECT_EQ(dlg->m_prompt, host.loadString(RowOf(stage::kFirstBottom).promptId));
}

TEST_F(RestoreAfterFaults, WithoutAFolderForTheRecordTheTestStillRuns) {
    host.localAppData.clear();
    Open();
    ExpectSwitchedOff(1);
    host.pressKey(fw::kVkEscape);
    ExpectOwnValues();
    EXPECT_TRUE(Messages().empty());
}

TEST_F(RestoreAfterFaults, TheEnvironmentVariableMovesTheRecord) {
    host.environment[L"RIMTRACE_RESTORE_DIR"] = (dir_ / "elsewhere").wstring();
    Open();
    EXPECT_TRUE(fs::exists(dir_ / "elsewhere" / "restore-record.txt"));
    EXPECT_FALSE(fs::exists(Record()));
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

TEST_F(RestoreAfterFaults, TheSessionEndingWhileTheMailClientIsUpGivesTheBoardsBackAtOnce) {
    FakeMapi::Install(host, FakeMapi::Mode::Ok);
    FakeMapi::duringSend = [&] {
        dlg->OnEndSession(true);
        ExpectOwnValues();
        EXPECT_FALSE(fs::exists(Record()));
    };
    Open();
    dlg->m_reportPath = (dir_ / "r.pts").wstring();
    dlg->m_sendReport = true;
    host.pressKey(fw::kVkEscape);
    EXPECT_EQ(FakeMapi::sent.size(), 1u);
    std::size_t restores = 0;
    for (const std::string& line : host.journal) {
        restores += line == "tavlo set board=1 setting=0 value=0xA" ? 1 : 0;
    }
    EXPECT_EQ(restores, 1u);
}

TEST_F(RestoreAfterFaults, ACrashGivesTheBoardsBackFromTheSavedValues) {
    Open();
    StrokeY(20, 100, 2000);
    RunEmergencyRestore();
    ExpectOwnValues();
    EXPECT_FALSE(fs::exists(Record()));
    RunEmergencyRestore();  // at most once
    Kill();
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
    const auto record = ParseRestoreRecord(ReadAll(Record()));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->size(), 2u);
}

TEST_F(RestoreRun, AnUnreadableRecordFailsWithAMessage) {
    fs::create_directories(Record().parent_path());
    std::ofstream(Record()) << "garbage";
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
        const std::string record = ReadAll(Record());
        const auto journal = host.journal;
        EXPECT_EQ(RunWithArguments(second), kExitTestRunning);
        EXPECT_EQ(host.journal, journal);
        EXPECT_EQ(ReadAll(Record()), record);
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
