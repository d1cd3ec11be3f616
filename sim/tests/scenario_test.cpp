#include "driver/scenario.h"

#include <gtest/gtest.h>

namespace rtdriver {
namespace {

std::vector<Step> Parsed(std::string_view text) {
    auto result = ParseScenario(text);
    EXPECT_TRUE(std::holds_alternative<std::vector<Step>>(result));
    return std::get<std::vector<Step>>(result);
}

ScenarioError Failed(std::string_view text) {
    auto result = ParseScenario(text);
    EXPECT_TRUE(std::holds_alternative<ScenarioError>(result));
    return std::get<ScenarioError>(result);
}

TEST(ScenarioWords, QuotesKeepBlanksAndEscapes) {
    const auto words = std::get<std::vector<std::string>>(
        SplitWords(R"(set-text Save 1004 "SN 12\t\"x\"\n" tail)"));
    ASSERT_EQ(words.size(), 5u);
    EXPECT_EQ(words[3], "SN 12\t\"x\"\n");
    EXPECT_EQ(words[4], "tail");
}

TEST(ScenarioWords, BackslashesInPathsStayOutsideAndMostlyInsideQuotes) {
    const auto words =
        std::get<std::vector<std::string>>(SplitWords(R"(expect-file Z:\tmp\new "C:\data\x")"));
    EXPECT_EQ(words[1], R"(Z:\tmp\new)");
    EXPECT_EQ(words[2], R"(C:\data\x)");
}

TEST(ScenarioWords, HashStartsACommentOnlyAtAWordStart) {
    const auto words = std::get<std::vector<std::string>>(SplitWords("echo a#b \"#c\" # gone"));
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[1], "a#b");
    EXPECT_EQ(words[2], "#c");
}

TEST(ScenarioWords, UnterminatedQuoteIsAnError) {
    EXPECT_TRUE(std::holds_alternative<std::string>(SplitWords("echo \"open")));
}

TEST(ScenarioParse, SkipsBlankAndCommentLinesAndNumbersLines) {
    const auto steps = Parsed("# setup\n\n  start -service\r\nwait-exit 20 0\n");
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].line, 3);
    EXPECT_EQ(steps[1].line, 4);
    EXPECT_EQ(steps[1].args, (std::vector<std::string>{"20", "0"}));
}

TEST(ScenarioParse, CommandLineIsTakenAsWrittenWithoutComment) {
    const auto steps = Parsed("start  -service  # the service run\nstart\nstart \"a b\"  x\n");
    EXPECT_EQ(steps[0].rest, "-service");
    EXPECT_EQ(steps[1].rest, "");
    EXPECT_EQ(steps[2].rest, "\"a b\"  x");
}

TEST(ScenarioParse, ByteOrderMarkIsIgnored) {
    EXPECT_EQ(Parsed("\xEF\xBB\xBFkill\n").front().command, "kill");
}

TEST(ScenarioParse, UnknownCommandNamesItsLine) {
    const ScenarioError error = Failed("kill\npen-sideways 1 2 3\n");
    EXPECT_EQ(error.line, 2);
    EXPECT_NE(error.message.find("pen-sideways"), std::string::npos);
}

TEST(ScenarioParse, WordCountsAreChecked) {
    EXPECT_EQ(Failed("pen-down 1 2\n").line, 1);
    EXPECT_EQ(Failed("pen-down 1 2 3 4 5\n").line, 1);
    EXPECT_EQ(Failed("kill now\n").line, 1);
    EXPECT_EQ(Failed("adopt\n").line, 1);
    EXPECT_EQ(Parsed("adopt rimtrace.exe 30\n").size(), 1u);
    EXPECT_EQ(Failed("stroke 1 100 0 0 10\n").line, 1);
    EXPECT_EQ(Parsed("stroke 1 100 0 0 10 10 20 20 30 30\n").size(), 1u);
}

}  // namespace
}  // namespace rtdriver
