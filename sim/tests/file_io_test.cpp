#include "common/file_io.h"

#include <gtest/gtest.h>

#include "framework/win32/win32_handles.h"
#include "temp_folder.h"

namespace sim {
namespace {

TEST(WholeFiles, WriteReplacesAndReadsBackEveryByte) {
    const TempFolder folder;
    const std::wstring file = folder.path(L"state.txt");
    const std::string bytes("a\0b\r\n\xFF", 6);
    ASSERT_TRUE(WriteWholeFile(file, "old contents that are longer"));
    ASSERT_TRUE(WriteWholeFile(file, bytes));
    EXPECT_EQ(ReadWholeFile(file), bytes);
    EXPECT_FALSE(FileExists(file + L".part"));
}

TEST(WholeFiles, MissingFileAndMissingFolder) {
    const TempFolder folder;
    EXPECT_FALSE(ReadWholeFile(folder.path(L"none.txt")));
    EXPECT_FALSE(WriteWholeFile(folder.path(L"no\\such\\folder.txt"), "x"));
}

TEST(SharedAppend, LinesLandAfterAnotherWritersAppends) {
    const TempFolder folder;
    const std::wstring journal = folder.path(L"journal.txt");
    // The board's DLL keeps the journal open for appending all run long.
    const win32::UniqueHandle board = win32::OwnHandle(CreateFileW(
        journal.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(board);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(board.get(), "tavlo 1\n", 8, &written, nullptr));
    ASSERT_TRUE(AppendLine(journal, "board50 2"));
    ASSERT_TRUE(WriteFile(board.get(), "tavlo 3\n", 8, &written, nullptr));
    ASSERT_TRUE(AppendLine(journal, "board50 4"));
    EXPECT_EQ(ReadWholeFile(journal), "tavlo 1\nboard50 2\ntavlo 3\nboard50 4\n");
}

TEST(Folders, NestedFoldersAreCreatedAndExistingOnesAccepted) {
    const TempFolder folder;
    const std::wstring nested = folder.path(L"a\\b/c");
    EXPECT_TRUE(MakeFolders(nested));
    EXPECT_TRUE(MakeFolders(nested + L"\\"));
    EXPECT_TRUE(FileExists(nested));
    EXPECT_FALSE(MakeFolders(L""));
}

}  // namespace
}  // namespace sim
