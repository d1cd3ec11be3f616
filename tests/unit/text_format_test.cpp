#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "report/text_format.h"

TEST(FormatTextResultLines, FirstPassLineTakesFourIntegers) {
    EXPECT_EQ(FormatText(L"Test complete (%d, %d, %d, %d).  Press ESC to exit.", {1, 0, 6, 6u}),
              L"Test complete (1, 0, 6, 6).  Press ESC to exit.");
}

TEST(FormatTextResultLines, SecondPassLineRoundsOneDecimalCorrectly) {
    // 0.25 is exact and ties to even; 0.35 and 0.05 lie just below and just above their halves,
    // which naive scale-and-round code gets wrong.
    EXPECT_EQ(FormatText(L"Second pass complete ((%d,%.1f), (%d,%.1f), (%d,%.1f), (%d,%.1f)).  "
                         L"Press ESC to exit.",
                         {0, 0.25, 1, 0.35, 2, 0.05, 3, 12.0f}),
              L"Second pass complete ((0,0.2), (1,0.3), (2,0.1), (3,12.0)).  Press ESC to exit.");
}

TEST(FormatTextNumbers, IntegersKeepTheirSignAndWholeRange) {
    EXPECT_EQ(FormatText(L"%d %d %d", {std::numeric_limits<std::int64_t>::min(),
                                       std::numeric_limits<std::uint32_t>::max(), -7}),
              L"-9223372036854775808 4294967295 -7");
}

TEST(FormatTextNumbers, PrecisionPadsDigitsNotTheSign) {
    EXPECT_EQ(FormatText(L"%.2d|%.2d|%.2d|%.3d|%.12d", {5, 123, -5, 0, 7}),
              L"05|123|-05|000|000000000007");
}

TEST(FormatTextNumbers, FixedDecimalsOfLargeNegativeAndNonFiniteValues) {
    EXPECT_EQ(FormatText(L"%.2f %.0f %.1f", {-1.005, 1e20, 2.5}),
              L"-1.00 100000000000000000000 2.5");
    EXPECT_EQ(FormatText(L"%.1f %.1f", {std::numeric_limits<double>::infinity(),
                                        -std::numeric_limits<double>::infinity()}),
              L"inf -inf");
}

TEST(FormatTextText, TextArgumentsAreInsertedLiterally) {
    const std::wstring path = L"C:\\100%d\\%s.pts";
    EXPECT_EQ(FormatText(L"[%s] %d%%", {path, 5}), L"[C:\\100%d\\%s.pts] 5%");
    EXPECT_EQ(FormatText(L"<%s>", {L""}), L"<>");
}

TEST(FormatTextMismatch, MissingArgumentLeavesTheConversionAsWritten) {
    EXPECT_EQ(FormatText(L"%d and %.2d and %s", {1}), L"1 and %.2d and %s");
    EXPECT_EQ(FormatText(L"%.1f", {}), L"%.1f");
}

TEST(FormatTextMismatch, WrongKindLeavesTheConversionButUsesTheArgument) {
    EXPECT_EQ(FormatText(L"%d %s %.1f %d", {L"text", 2, 3, 4}), L"%d %s %.1f 4");
}

TEST(FormatTextMismatch, UnknownSequencesAreCopiedAndUseNoArgument) {
    EXPECT_EQ(FormatText(L"%x %5d %f %.s %.d %.100d %.2% 100% %", {7}),
              L"%x %5d %f %.s %.d %.100d %.2% 100% %");
    EXPECT_EQ(FormatText(L"%q%d", {7}), L"%q7");
}

TEST(FormatTextMismatch, SurplusArgumentsAreIgnored) {
    EXPECT_EQ(FormatText(L"plain", {1, 2.0, L"x"}), L"plain");
}
