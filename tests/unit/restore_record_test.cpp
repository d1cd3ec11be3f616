// The restore record's text: what is written is read back exactly, and anything else, however
// close, is refused rather than half applied to a board.
#include <gtest/gtest.h>

#include <string>

#include "board/restore_record.h"

namespace {
const RestoreRecord kRecord{{1, {0x32, 0xC, 0x1, true}},
                            {2, {static_cast<std::int32_t>(0x80000001u), 0x7FFFFFFF, 0, false}},
                            {7, {-1, 0, 12, true}}};
}

TEST(RestoreRecord, TextIsReadBackExactlyWithEveryBitOfEverySetting) {
    const std::string text = FormatRestoreRecord(kRecord);
    EXPECT_EQ(text,
              "rimtrace restore record 1\n"
              "board 1 setting0=0x00000032 setting1=0x0000000C setting4=0x00000001 driver=on\n"
              "board 2 setting0=0x80000001 setting1=0x7FFFFFFF setting4=0x00000000 driver=off\n"
              "board 7 setting0=0xFFFFFFFF setting1=0x00000000 setting4=0x0000000C driver=on\n"
              "end\n");
    EXPECT_EQ(ParseRestoreRecord(text), kRecord);
    EXPECT_EQ(ParseRestoreRecord(FormatRestoreRecord({})), RestoreRecord{});
}

TEST(RestoreRecord, LineEndsChangedByAnEditorAreStillRead) {
    std::string text = FormatRestoreRecord(kRecord);
    std::string crlf;
    for (char c : text) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    EXPECT_EQ(ParseRestoreRecord(crlf), kRecord);
    text.pop_back();  // no line end after "end"
    EXPECT_EQ(ParseRestoreRecord(text), kRecord);
}

class DamagedRecord : public ::testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(DamagedRecord, IsRefusedWhole) {
    const std::string good = FormatRestoreRecord(kRecord);
    const auto& [from, to] = GetParam();
    std::string text = good;
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    EXPECT_EQ(ParseRestoreRecord(text), std::nullopt) << text;
}

INSTANTIATE_TEST_SUITE_P(
    RestoreRecord, DamagedRecord,
    ::testing::Values(std::pair<std::string, std::string>{"end\n", ""},  // cut short
                      std::pair<std::string, std::string>{"record 1", "record 2"},
                      std::pair<std::string, std::string>{"board 2", "board 1"},  // twice
                      std::pair<std::string, std::string>{"board 7", "board 0"},
                      std::pair<std::string, std::string>{"board 7", "board 07"},
                      std::pair<std::string, std::string>{"board 7", "board 4097"},
                      std::pair<std::string, std::string>{"board 7", "board -7"},
                      std::pair<std::string, std::string>{"board 2", "board 9"},  // order
                      std::pair<std::string, std::string>{"0x00000032", "0x0000032"},
                      std::pair<std::string, std::string>{"0x00000032", "0x1000000032"},
                      std::pair<std::string, std::string>{"0x00000032", "0x0000003g"},
                      std::pair<std::string, std::string>{"0x00000032", "50"},
                      std::pair<std::string, std::string>{"setting1=", "setting2="},
                      std::pair<std::string, std::string>{"driver=off", "driver=maybe"},
                      std::pair<std::string, std::string>{" driver=off", ""},
                      std::pair<std::string, std::string>{"board 1 ", "board  1 "},
                      std::pair<std::string, std::string>{"driver=on\nboard 2",
                                                          "driver=on\n\nboard 2"},
                      std::pair<std::string, std::string>{"end\n", "end\nboard 9"}));

TEST(RestoreRecord, RandomBytesAndHugeFilesAreRefused) {
    EXPECT_EQ(ParseRestoreRecord(""), std::nullopt);
    EXPECT_EQ(ParseRestoreRecord(std::string("\0\xff\n", 3)), std::nullopt);
    std::string huge = "rimtrace restore record 1\n";
    while (huge.size() <= kMaxRestoreRecordBytes) {
        huge += "board 1 setting0=0x00000032 setting1=0x0000000C setting4=0x00000001 driver=on\n";
    }
    EXPECT_EQ(ParseRestoreRecord(huge + "end\n"), std::nullopt);
}

TEST(RestoreRecord, SplitsAttachedBoardsFromThoseThatMustWait) {
    const RestoreSplit split = SplitByAttached(kRecord, 2);
    EXPECT_EQ(split.now, (RestoreRecord{kRecord[0], kRecord[1]}));
    EXPECT_EQ(split.later, (RestoreRecord{kRecord[2]}));
    EXPECT_TRUE(SplitByAttached(kRecord, 0).now.empty());
}
