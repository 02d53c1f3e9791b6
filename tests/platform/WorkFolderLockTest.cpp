// The lock of a work folder. That a folder left by a killed run is taken over, whatever its lock
// file holds, and that a second run is refused a busy folder, is seen from outside the program in
// batch_folder_lock (folder_lock_test.sh).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "WorkFolderLock.h"

using namespace sono;
namespace fs = std::filesystem;
using State = WorkFolderLock::State;

namespace {

std::string contents(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class WorkFolderLockTest : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "lock-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        lockFile = folder / WorkFolderLock::FileName;
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
    fs::path lockFile;
};

} // namespace

TEST_F(WorkFolderLockTest, LiveOwnerHoldsItsIdAndKeepsOthersOutUntilItLetsGo) {
    auto first = std::make_unique<WorkFolderLock>();
    ASSERT_EQ(first->lockFolder(folder), State::Taken);
    EXPECT_TRUE(first->held());
    struct stat info {};
    ASSERT_EQ(lstat(lockFile.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    // A second open of the file is a second owner for flock, as another process would be.
    WorkFolderLock second;
    EXPECT_EQ(second.lockFolder(folder), State::Busy);
    EXPECT_EQ(second.lockFile(lockFile, true), State::Busy);
    EXPECT_FALSE(second.held());
    EXPECT_EQ(contents(lockFile), std::to_string(getpid()) + "\n");

    first.reset(); // a normal end removes the file, so the folder is free again
    EXPECT_FALSE(fs::exists(lockFile));
    EXPECT_EQ(second.lockFolder(folder), State::Taken);
    second.release();
    EXPECT_FALSE(second.held());
}

TEST_F(WorkFolderLockTest, SymbolicLinkInPlaceOfTheLockFileIsRefused) {
    const fs::path target = folder / "target";
    fs::create_symlink(target, lockFile);
    WorkFolderLock lock;
    EXPECT_EQ(lock.lockFolder(folder), State::Failed);
    EXPECT_FALSE(lock.held());
    EXPECT_FALSE(fs::exists(target));
    EXPECT_NE(refusalText(State::Failed, folder, lock.error()).find(lockFile.string()),
              std::string::npos);
}

// A crashed run's folder is abandoned whatever its lock file says: an id, nothing (the run died
// before writing it) or no file at all (a cleaner removed it). Only a live run's folder is not,
// and the crashed runs' files stay for the sound to be brought back.
TEST_F(WorkFolderLockTest, RunFoldersThatNoLiveRunHoldsAreAbandoned) {
    for (const char* name : {"run-1-stale", "run-2-empty", "run-3-none", "run-4-live", "other"}) {
        fs::create_directory(folder / name);
        std::ofstream(folder / name / "work.dat") << "kept";
    }
    std::ofstream(folder / "run-1-stale" / WorkFolderLock::FileName) << "12345\n";
    std::ofstream(folder / "run-2-empty" / WorkFolderLock::FileName).close();
    WorkFolderLock live;
    ASSERT_EQ(live.lockFolder(folder / "run-4-live"), State::Taken);

    std::vector<fs::path> abandoned = abandonedRunFolders(folder);
    std::sort(abandoned.begin(), abandoned.end());
    EXPECT_EQ(abandoned, (std::vector<fs::path>{folder / "run-1-stale", folder / "run-2-empty",
                                                folder / "run-3-none"}));
    for (const fs::path& run : abandoned)
        EXPECT_EQ(contents(run / "work.dat"), "kept");
}
