// board50_standin.exe and rtdriver.exe as separate processes, as the end-to-end runs use them.
#include <gtest/gtest.h>

#include "board50/board50_window.h"
#include "common/file_io.h"
#include "run_program.h"
#include "temp_folder.h"

namespace {

constexpr UINT kSetState = WM_USER + 0x71;
constexpr UINT kGetState = WM_USER + 0x72;

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR answer = 0;
    EXPECT_TRUE(
        SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &answer));
    return static_cast<LRESULT>(answer);
}

TEST(Board50Standin, AnswersFromItsStatesAndJournalsEveryMessageAfterTheBoards) {
    const TempFolder folder;
    const std::wstring journal = folder.path(L"journal.txt");
    const std::wstring ready = folder.path(L"ready");
    sim::AppendLine(journal, "tavlo set board=1 setting=0 value=0x0");
    const RunningProgram standin(L"board50_standin.exe", L"--states 1,0 --journal \"" + journal +
                                                             L"\" --ready \"" + ready + L"\"");
    ASSERT_TRUE(standin.started());
    for (int i = 0; i < 500 && !sim::FileExists(ready); ++i) {
        Sleep(20);
    }
    const HWND window = board50::FindWindowOf(standin.id());
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));

    EXPECT_EQ(Ask(window, kGetState, 1, 0), 1);
    EXPECT_EQ(Ask(window, kGetState, 2, 0), 0);
    EXPECT_EQ(Ask(window, kGetState, 3, 0), 1);  // never named: on
    Ask(window, kSetState, 1, 0);
    Ask(window, kSetState, 2, 5);
    EXPECT_EQ(Ask(window, kGetState, 1, 0), 0);
    EXPECT_EQ(Ask(window, kGetState, 2, 0), 1);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(standin.exitCode(10000), 0u);
    EXPECT_EQ(sim::ReadWholeFile(journal),
              "tavlo set board=1 setting=0 value=0x0\n"
              "board50 get board=1 state=1\n"
              "board50 get board=2 state=0\n"
              "board50 get board=3 state=1\n"
              "board50 set board=1 state=0\n"
              "board50 set board=2 state=5\n"
              "board50 get board=1 state=0\n"
              "board50 get board=2 state=1\n");
}

// A typo in a scenario's board list must not start a stand-in with other states.
TEST(Board50Standin, BadCommandLineEndsAtOnce) {
    for (const wchar_t* arguments : {L"--states 1,2", L"--states", L"--colour red"}) {
        const RunningProgram standin(L"board50_standin.exe", arguments);
        EXPECT_EQ(standin.exitCode(10000), 2u) << arguments;
    }
}

class Driver : public testing::Test {
  protected:
    std::optional<DWORD> run(const std::string& scenario) {
        const std::wstring path = folder_.path(L"run.scn");
        sim::WriteWholeFile(path, scenario);
        const RunningProgram driver(L"rtdriver.exe",
                                    L"\"" + path + L"\" \"RUN=" + folder_.path() + L"\"");
        return driver.exitCode(60000);
    }

    TempFolder folder_;
};

// The end-to-end harness passes a scenario on these exit codes alone.
TEST_F(Driver, ExitCodeSaysPassedFailedOrNotRun) {
    EXPECT_EQ(run("setenv GREETING \"hello there\"\n"
                  "write-file ${RUN}\\a.txt \"${GREETING}\\nline 2\\n\"\n"
                  "expect-file-contains ${RUN}\\a.txt \"there\\nline 2\"\n"
                  "delete-file ${RUN}\\a.txt\n"
                  "expect-no-file ${RUN}\\a.txt\n"),
              0u);
    EXPECT_EQ(run("expect-file ${RUN}\\missing.txt 0.1\n"), 1u);
    EXPECT_EQ(run("write-file ${RUN}\\b.txt x\nexpect-file-contains ${RUN}\\b.txt y\n"), 1u);
    EXPECT_EQ(run("echo ${NOT_SET_ANYWHERE}\n"), 1u);
    EXPECT_EQ(run("wait-exit 1\n"), 1u);  // no program started
    EXPECT_EQ(run("write-file ${RUN}\\ran.txt x\npen-down 1 2\n"), 2u);
    EXPECT_FALSE(sim::FileExists(folder_.path(L"ran.txt")));
    EXPECT_EQ(run("echo \"unterminated\n"), 2u);
}

TEST_F(Driver, DriverWindowStandinIsStartedAndClosed) {
    EXPECT_EQ(run("start-board50 --states 0 --journal ${RUN}\\j.txt --ready ${RUN}\\ready\n"
                  "expect-file ${RUN}\\ready 10\n"  // written just after the window exists
                  "stop-board50\n"),
              0u);
    EXPECT_EQ(run("start-board50 --states x\n"), 1u);
}

// A program a launcher started is taken over by its file name and is then the driver's program;
// with two of that name it guesses neither.
TEST_F(Driver, AdoptsTheOneProgramOfThatName) {
    {
        const RunningProgram launched(L"board50_standin.exe", L"");
        ASSERT_TRUE(launched.started());
        EXPECT_EQ(run("adopt BOARD50_STANDIN.EXE 10\nkill\n"), 0u);
        EXPECT_EQ(launched.exitCode(5000), 1u);  // the driver's kill ends with exit code 1
    }
    const RunningProgram first(L"board50_standin.exe", L"");
    const RunningProgram second(L"board50_standin.exe", L"");
    ASSERT_TRUE(first.started() && second.started());
    EXPECT_EQ(run("adopt board50_standin.exe 10\nkill\n"), 1u);
    EXPECT_FALSE(first.exitCode(0).has_value());
    EXPECT_FALSE(second.exitCode(0).has_value());
}

}  // namespace
