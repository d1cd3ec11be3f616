#include <gtest/gtest.h>

#include <string>

#include "app/run_mode.h"
#include "framework/command_line.h"

TEST(RunModeFromArguments, OnlyTheExactWordAloneSelectsTheServiceRun) {
    EXPECT_FALSE(IsDiagnosticRun(L"-service"));
}

TEST(RunModeFromArguments, NearMissesSelectTheInteractiveTest) {
    for (const wchar_t* arguments :
         {L"-SERVICE", L"-Service", L"-service ", L" -service", L"/service", L"-service x",
          L"service", L"-servic", L"\"-service\"", L""}) {
        EXPECT_TRUE(IsDiagnosticRun(arguments)) << std::wstring(arguments).size();
    }
}

TEST(RunModeFromArguments, AWordWithAnEmbeddedNulIsNotTheServiceWord) {
    EXPECT_TRUE(IsDiagnosticRun(std::wstring_view(L"-service\0x", 10)));
}

TEST(ArgumentsAfterProgramName, UnquotedNameAndTheBlanksAfterItAreSkipped) {
    EXPECT_EQ(fw::ArgumentsAfterProgramName(L"rimtrace.exe -service"), L"-service");
    EXPECT_EQ(fw::ArgumentsAfterProgramName(L"rimtrace.exe \t  -service"), L"-service");
}

TEST(ArgumentsAfterProgramName, QuotedNameMayHoldBlanks) {
    EXPECT_EQ(fw::ArgumentsAfterProgramName(L"\"C:\\Program Files\\rimtrace.exe\" -service"),
              L"-service");
    EXPECT_EQ(fw::ArgumentsAfterProgramName(L"C:\\\"Program Files\"\\rimtrace.exe -service"),
              L"-service");
}

TEST(ArgumentsAfterProgramName, TrailingBlanksAndLaterArgumentsAreKept) {
    EXPECT_EQ(fw::ArgumentsAfterProgramName(L"rimtrace.exe -service "), L"-service ");
    EXPECT_EQ(fw::ArgumentsAfterProgramName(L"rimtrace.exe -service  x"), L"-service  x");
}

TEST(ArgumentsAfterProgramName, NoArgumentsGiveAnEmptyLine) {
    EXPECT_EQ(fw::ArgumentsAfterProgramName(L"rimtrace.exe"), L"");
    EXPECT_EQ(fw::ArgumentsAfterProgramName(L"\"rimtrace.exe\"   "), L"");
    EXPECT_EQ(fw::ArgumentsAfterProgramName(L"\"unterminated quote -service"), L"");
    EXPECT_EQ(fw::ArgumentsAfterProgramName(L""), L"");
}
