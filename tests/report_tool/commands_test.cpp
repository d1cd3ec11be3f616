// The commands as a user runs them: what they print, what they write, how they end.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <sys/wait.h>

#include "report_tool/commands.h"
#include "report_tool/reading/text_encoding.h"
#include "support/generated_report.h"
#include "temp_folder.h"

using ::testing::HasSubstr;

namespace {

struct CommandRun {
    int code = -1;
    std::string out;
    std::string err;
};

CommandRun Command(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunCommandLine(args, out, err);
    return {code, out.str(), err.str()};
}

std::string Name(const std::filesystem::path& path) {
    return PathToUtf8(path);
}

std::string Damaged(std::uint32_t seed) {
    std::string bytes = GenerateTest(seed).reportBytes();
    bytes.replace(bytes.find("# max: "), 7, "# max: 9");
    return bytes;
}

}  // namespace

TEST(CheckCommand, GoodReportsPassAndEachProblemIsOneLine) {
    TempFolder dir;
    const auto good = dir.write("good.pts", GenerateTest(1).reportBytes());
    const auto bad = dir.write("bad.pts", Damaged(2));
    CommandRun run = Command({"check", Name(good)});
    EXPECT_EQ(run.code, exit_code::kOk);
    EXPECT_EQ(run.out, Name(good) + ": ok\n");

    run = Command({"check", Name(good), Name(bad)});
    EXPECT_EQ(run.code, exit_code::kProblems);
    EXPECT_THAT(run.out, HasSubstr(Name(bad) + ":9: expected '# max: "));
    EXPECT_THAT(run.out, HasSubstr(Name(bad) + ": 1 problem\n"));
}

TEST(CheckCommand, AWarningAloneDoesNotFailAFile) {
    TempFolder dir;
    std::string bytes = GenerateTest(1).reportBytes();
    std::erase(bytes, '\r');
    const auto file = dir.write("mailed.pts", bytes);
    const CommandRun run = Command({"check", Name(file)});
    EXPECT_EQ(run.code, exit_code::kOk);
    EXPECT_THAT(run.out, HasSubstr(Name(file) + ": warning: expected CR LF line ends, found LF"));
    EXPECT_THAT(run.out, HasSubstr(Name(file) + ": ok, 1 warning\n"));
}

TEST(CheckCommand, FoldersAreSearchedAndMissingFilesAreProblems) {
    TempFolder dir;
    dir.write("a/one.pts", GenerateTest(1).reportBytes());
    dir.write("a/b/two.PTS", GenerateTest(2).reportBytes());
    dir.write("a/notes.txt", "not a report");
    CommandRun run = Command({"check", Name(dir.path() / "a")});
    EXPECT_EQ(run.code, exit_code::kOk);
    EXPECT_THAT(run.out, HasSubstr("two.PTS: ok"));
    EXPECT_THAT(run.out, HasSubstr("one.pts: ok"));
    EXPECT_THAT(run.out, ::testing::Not(HasSubstr("notes")));

    run = Command({"check", Name(dir.path() / "missing.pts")});
    EXPECT_EQ(run.code, exit_code::kProblems);
    EXPECT_THAT(run.out, HasSubstr("missing.pts: no such file or folder"));
}

TEST(CommandLine, UsageErrorsEndWithTwo) {
    EXPECT_EQ(Command({}).code, exit_code::kUsage);
    EXPECT_EQ(Command({"check"}).code, exit_code::kUsage);
    EXPECT_EQ(Command({"frobnicate", "x.pts"}).code, exit_code::kUsage);
    EXPECT_EQ(Command({"show", "x.pts"}).code, exit_code::kUsage);  // no -o
    EXPECT_EQ(Command({"summary", "--csv", "x"}).code, exit_code::kUsage);
    const CommandRun help = Command({"--help"});
    EXPECT_EQ(help.code, exit_code::kOk);
    EXPECT_THAT(help.out, HasSubstr("summary"));
}

// The version is the project's, as the build system knows it; nothing else is needed with it.
TEST(CommandLine, VersionIsTheProjectsAndNeedsNoCommand) {
    const CommandRun run = Command({"--version"});
    EXPECT_EQ(run.code, exit_code::kOk);
    EXPECT_EQ(run.out, "rimtrace-report " RIMTRACE_PROJECT_VERSION "\n");
    EXPECT_EQ(run.err, "");
}

TEST(CommandLine, ShowNeedsAPictureNameItKnows) {
    TempFolder dir;
    const auto report = dir.write("r.pts", GenerateTest(1).reportBytes());
    CommandRun run = Command({"show", Name(report), "-o", Name(dir.path() / "r.png")});
    EXPECT_EQ(run.code, exit_code::kUsage);
    EXPECT_THAT(run.err, HasSubstr(".svg, .html or .htm"));

    run = Command({"show", Name(report), "-o", Name(dir.path() / "r.HTML")});
    EXPECT_EQ(run.code, exit_code::kOk);
    std::ifstream page(dir.path() / "r.HTML");
    const std::string html{std::istreambuf_iterator<char>(page), std::istreambuf_iterator<char>()};
    EXPECT_THAT(html, HasSubstr("<svg "));
    EXPECT_THAT(html, HasSubstr("<table>"));

    run = Command({"show", Name(dir.path() / "none.pts"), "-o", Name(dir.path() / "n.svg")});
    EXPECT_EQ(run.code, exit_code::kProblems);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "n.svg"));

    run = Command({"show", Name(report), "-o", Name(dir.path() / "no" / "such" / "dir.svg")});
    EXPECT_EQ(run.code, exit_code::kProblems);
    EXPECT_THAT(run.err, HasSubstr("cannot be written"));
}

TEST(CommandLine, ADamagedReportIsStillDrawnButTheCommandFails) {
    TempFolder dir;
    const auto report = dir.write("r.pts", Damaged(3));
    const CommandRun run = Command({"show", Name(report), "-o", Name(dir.path() / "r.svg")});
    EXPECT_EQ(run.code, exit_code::kProblems);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "r.svg"));
    EXPECT_THAT(run.err, HasSubstr("1 problem"));
}

TEST(SummaryCommand, WritesCsvOrJsonToAFileOrTheOutput) {
    TempFolder dir;
    dir.write("r/1.pts", GenerateTest(1).reportBytes());
    dir.write("r/2.pts", Damaged(2));
    CommandRun run = Command({"summary", Name(dir.path() / "r")});
    EXPECT_EQ(run.code, exit_code::kOk);  // a report's problems are in its row
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 3);
    EXPECT_THAT(run.out, HasSubstr(",failed,1,"));

    const auto csv = dir.path() / "s.csv";
    run = Command({"summary", Name(dir.path() / "r"), "-o", Name(csv), "--json"});
    EXPECT_EQ(run.code, exit_code::kOk);
    EXPECT_TRUE(run.out.empty());
    std::ifstream written(csv);
    EXPECT_EQ(written.get(), '[');

    run = Command({"summary", Name(dir.path() / "r"), Name(dir.path() / "gone")});
    EXPECT_EQ(run.code, exit_code::kProblems);
    EXPECT_THAT(run.err, HasSubstr("gone: no such file or folder"));
}

TEST(Program, ExitCodesReachTheShell) {
    TempFolder dir;
    const auto good = dir.write("good.pts", GenerateTest(1).reportBytes());
    const auto bad = dir.write("bad.pts", Damaged(1));
    const auto status = [](const std::string& args) {
        const int raw = std::system(
            (std::string(RIMTRACE_REPORT_PROGRAM) + " " + args + " >/dev/null 2>&1").c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    EXPECT_EQ(status("check '" + Name(good) + "'"), 0);
    EXPECT_EQ(status("check '" + Name(bad) + "'"), 1);
    EXPECT_EQ(status("check"), 2);
}
