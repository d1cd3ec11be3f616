#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/file_replace.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Names(const fs::path& directory) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Root may write into any directory whatever its mode; while this lives the process acts as the
// unprivileged user "nobody", so directory modes count again.
class UnprivilegedScope {
  public:
    UnprivilegedScope() : wasRoot_(geteuid() == 0) { active_ = !wasRoot_ || seteuid(kNobody) == 0; }
    UnprivilegedScope(const UnprivilegedScope&) = delete;
    UnprivilegedScope& operator=(const UnprivilegedScope&) = delete;
    ~UnprivilegedScope() {
        if (wasRoot_ && active_ && seteuid(0) != 0) {
            std::abort();  // the remaining tests must not run with the wrong identity
        }
    }
    bool active() const { return active_; }

  private:
    static constexpr uid_t kNobody = 65534;
    bool wasRoot_ = false;
    bool active_ = false;
};

// Makes every write beyond `limit` bytes fail (EFBIG), as a full disk would, for the lifetime of
// the object.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t limit) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit lowered = previous_;
        lowered.rlim_cur = limit;
        active_ = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    bool active() const { return active_; }

  private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
    bool active_ = false;
};

class FileReplace : public ::testing::Test {
  protected:
    // Readable by others, so that the test can go on as another user.
    void SetUp() override {
        fs::permissions(dir_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    }
    TempFolder folder_;
    const fs::path& dir_ = folder_.path();
};

const std::string kReport = "# v1\r\n\r\n# serial number: \xC4\r\n\0tail\r\n";
const std::string kOldReport = "# v1\r\n\r\n# serial number: OLD, and much longer than the new\r\n";

}  // namespace

TEST_F(FileReplace, WritesTheExactBytesOverAnyOldFileAndLeavesNothingElse) {
    const fs::path target = dir_ / "report.pts";
    ASSERT_TRUE(WriteFileDurably(target, kOldReport));
    ASSERT_TRUE(WriteFileDurably(target, kReport));
    EXPECT_EQ(FileBytes(target), kReport);
    const fs::path beyondAscii = dir_ / fs::path(u8"Bericht_\u00e9\u4e2d.pts");
    ASSERT_TRUE(WriteFileDurably(beyondAscii, kReport));
    EXPECT_EQ(FileBytes(beyondAscii), kReport);
    EXPECT_EQ(Names(dir_).size(), 2u);
}

TEST_F(FileReplace, APathThatCannotHoldTheFileFailsAndChangesNothing) {
    folder_.write("plain", "x");
    folder_.write("report.pts/inside", "kept");
    for (const fs::path& target : {dir_ / "missing" / "report.pts", dir_ / "plain" / "report.pts",
                                   dir_ / "report.pts", dir_ / "", fs::path()}) {
        EXPECT_FALSE(WriteFileDurably(target, kReport)) << target;
    }
    EXPECT_EQ(Names(dir_), (std::vector<std::string>{"plain", "report.pts"}));
    EXPECT_EQ(FileBytes(dir_ / "plain"), "x");
    EXPECT_EQ(FileBytes(dir_ / "report.pts" / "inside"), "kept");
}

TEST_F(FileReplace, ReadOnlyDirectoryFailsAndKeepsTheOldFile) {
    const fs::path target = folder_.write("report.pts", kOldReport);
    fs::permissions(dir_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    {
        UnprivilegedScope unprivileged;
        if (!unprivileged.active()) {
            GTEST_SKIP() << "cannot give up root's right to write into read-only directories";
        }
        EXPECT_FALSE(WriteFileDurably(target, kReport));
        EXPECT_FALSE(WriteFileDurably(dir_ / "new.pts", kReport));
    }
    EXPECT_EQ(FileBytes(target), kOldReport);
    EXPECT_EQ(Names(dir_), std::vector<std::string>{"report.pts"});
}

TEST_F(FileReplace, FailedWriteMidwayKeepsTheOldFileAndRemovesTheTemporary) {
    const fs::path target = folder_.write("report.pts", kOldReport);
    const std::string bigReport(1 << 20, 'x');
    {
        FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.active());
        EXPECT_FALSE(WriteFileDurably(target, bigReport));
    }
    EXPECT_EQ(FileBytes(target), kOldReport);
    EXPECT_EQ(Names(dir_), std::vector<std::string>{"report.pts"});
}
