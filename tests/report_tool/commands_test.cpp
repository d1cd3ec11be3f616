// The commands as a user runs them: what they print, what they write, how they end.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <sys/wait.h>

#include "report_text.h"
#include "report_tool/commands.h"
#include "support/temp_folder.h"
#include "support/whole_file.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

struct Result {
    int code = -1;
    std::string out;
    std::string err;
};

// In a folder of reports: good, damaged on line 9, with LF line ends, and a folder of two reports
// beside a file that is none. Names are relative, as a user in that folder types them.
class Commands : public ::testing::Test {
  protected:
    Commands() : before_(std::filesystem::current_path()) {
        std::string lf = WholeTestReport();
        std::erase(lf, '\r');
        std::string bad = WholeTestReport();
        bad.replace(bad.find("# max: 24"), 9, "# max: 924");
        dir_.write("good.pts", WholeTestReport());
        dir_.write("bad.pts", bad);
        dir_.write("mailed.pts", lf);
        dir_.write("a/one.pts", WholeTestReport());
        dir_.write("a/b/two.PTS", WholeTestReport());
        dir_.write("a/notes.txt", "not a report");
        std::filesystem::current_path(dir_.path());
    }
    ~Commands() override { std::filesystem::current_path(before_); }

    static Result Run(const std::vector<std::string>& args) {
        std::ostringstream out;
        std::ostringstream err;
        const int code = RunCommandLine(args, out, err);
        return {code, out.str(), err.str()};
    }

    TempFolder dir_;
    std::filesystem::path before_;
};

}  // namespace

TEST_F(Commands, CheckPrintsEachProblemOnItsLineAndAVerdictPerFile) {
    Result run = Run({"check", "good.pts", "bad.pts", "mailed.pts"});
    EXPECT_EQ(run.code, exit_code::kProblems);
    EXPECT_EQ(run.out,
              "good.pts: ok\n"
              "bad.pts:9: expected '# max: 24' from the 15 points of '# left', found "
              "'# max: 924'\n"
              "bad.pts: 1 problem\n"
              "mailed.pts: warning: expected CR LF line ends, found LF only: the "
              "file was read as it is (a mail gateway may have changed them)\n"
              "mailed.pts: ok, 1 warning\n");
    // A warning alone does not fail a file; folders are searched for .pts in any letter case.
    EXPECT_EQ(Run({"check", "mailed.pts", "a"}).code, exit_code::kOk);
    // The serial number's last byte, 0xDC, is Windows-1252's Ü but no UTF-8.
    run = Run({"check", "--encoding", "utf-8", "good.pts"});
    EXPECT_EQ(run.code, exit_code::kOk);
    EXPECT_EQ(run.out,
              "good.pts:3: warning: expected a serial number that is text in utf-8, found bytes "
              "that are not, shown as U+FFFD\n"
              "good.pts: ok, 1 warning\n");
    run = Run({"check", "a", "missing.pts"});
    EXPECT_EQ(run.code, exit_code::kProblems);
    EXPECT_EQ(run.out,
              "missing.pts: no such file or folder\na/b/two.PTS: ok\n"
              "a/one.pts: ok\n");
}

TEST_F(Commands, ShowDrawsAPictureOrAPageAndADamagedReportAsFarAsItGoes) {
    EXPECT_EQ(Run({"show", "good.pts", "-o", "r.HTML"}).code, exit_code::kOk);
    EXPECT_THAT(FileBytes("r.HTML"), AllOf(HasSubstr("<svg "), HasSubstr("<table>")));
    // Where each section is in the file is for debugging the reader.
    EXPECT_THAT(FileBytes("r.HTML"), Not(HasSubstr("Sections")));
    EXPECT_EQ(Run({"show", "good.pts", "-o", "r.html", "--debug"}).code, exit_code::kOk);
    // Each section once, the arrays in file order, then the extra strokes.
    EXPECT_THAT(FileBytes("r.html"),
                AllOf(HasSubstr("<th>Line</th></tr>\n<tr><td># left</td><td>15</td><td>43</td>"),
                      HasSubstr("<td>130</td></tr>\n<tr><td># extra stroke 0</td>")));
    const Result run = Run({"show", "bad.pts", "-o", "r.svg"});
    EXPECT_EQ(run.code, exit_code::kProblems);
    EXPECT_EQ(run.err,
              "bad.pts: 1 problem; the picture shows what could be read "
              "(`rimtrace-report check` lists them)\n");
    EXPECT_TRUE(FileBytes("r.svg").starts_with("<svg "));
}

TEST_F(Commands, ShowSaysWhyItDrewNothing) {
    const std::vector<std::pair<std::vector<std::string>, Result>> cases = {
        {{"show", "good.pts", "-o", "r.png"},
         {exit_code::kUsage, "", "show: the output must end in .svg, .html or .htm: r.png\n"}},
        {{"show", "none.pts", "-o", "r.svg"},
         {exit_code::kProblems, "", "none.pts: no such file\n"}},
        {{"show", "good.pts", "-o", "no/r.svg"},
         {exit_code::kProblems, "", "no/r.svg: cannot be written\n"}}};
    for (const auto& [args, expected] : cases) {
        const Result run = Run(args);
        EXPECT_EQ(run.code, expected.code) << args[3];
        EXPECT_EQ(run.err, expected.err);
    }
    EXPECT_FALSE(std::filesystem::exists("r.svg"));
}

TEST_F(Commands, SummaryWritesCsvOrJsonToAFileOrTheOutput) {
    Result run = Run({"summary", "a", "gone"});
    EXPECT_EQ(run.code, exit_code::kProblems);
    EXPECT_EQ(run.err, "gone: no such file or folder\n");
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 3);
    // A full disk may show only when the file is closed.
    EXPECT_EQ(Run({"summary", "a", "-o", "/dev/full"}).err, "/dev/full: cannot be written\n");
    run = Run({"summary", "bad.pts", "-o", "s.json", "--json", "--encoding", "cp1251"});
    EXPECT_EQ(run.code, exit_code::kOk);  // a report's problems are in its row
    EXPECT_EQ(run.out, "");
    // The serial number's last byte, 0xDC, is Cyrillic in code page 1251.
    EXPECT_THAT(FileBytes("s.json"), AllOf(HasSubstr("\"check\": \"failed\""),
                                           HasSubstr("\"serial_number\": \"SN-4711 \xD0\xAC\""),
                                           HasSubstr("\"encoding\": \"cp1251\"")));
}

TEST_F(Commands, AWrongCommandLineEndsWithTwo) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"check"},
                                               {"show", "x.pts"},
                                               {"summary", "--csv", "x"},
                                               {"check", "--encoding", "437", "good.pts"}}) {
        EXPECT_EQ(Run(args).code, exit_code::kUsage) << args.size();
    }
    EXPECT_THAT(Run({"--help"}).out, HasSubstr("summary"));
    // The version is the project's, as the build system knows it; no command is needed with it.
    const Result version = Run({"--version"});
    EXPECT_EQ(version.code, exit_code::kOk);
    EXPECT_EQ(version.out, "rimtrace-report " RIMTRACE_PROJECT_VERSION "\n");
}

TEST_F(Commands, ExitCodesReachTheShell) {
    const auto status = [&](const std::string& args) {
        const int raw = std::system(
            (std::string(RIMTRACE_REPORT_PROGRAM) + " " + args + " >/dev/null 2>&1").c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    EXPECT_EQ(status("check 'good.pts'"), 0);
    EXPECT_EQ(status("check 'bad.pts'"), 1);
    EXPECT_EQ(status("check"), 2);
}
