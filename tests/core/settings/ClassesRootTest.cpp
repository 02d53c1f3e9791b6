// The association store: its keys and values survive in the settings file, whatever they hold.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sys/stat.h>

#include "settings/ClassesRoot.h"

using namespace sono;
using Result = ClassesRoot::Result;

namespace {
class ClassesRootTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device seed;
        dir = std::filesystem::temp_directory_path() / ("sonostore-" + std::to_string(seed()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
};
} // namespace

TEST_F(ClassesRootTest, KeysAndValuesLiveInTheFileWithTheirParents) {
    ClassesRoot store(dir / "settings" / "associations.reg");
    EXPECT_FALSE(store.keyExists(".wav"));
    EXPECT_EQ(store.lastResult(), Result::NotFound);
    EXPECT_EQ(store.getValue(".wav", ""), "");

    store.setValue(".wav", "", "  wav File  ");
    EXPECT_EQ(store.lastResult(), Result::Success);
    const std::string awkward = "/opt/my \"sounds\"\\bin/sonoplexer\n%1";
    store.setValue("wav File\\shell\\open\\command", "", awkward);
    store.setValue("wav File\\shell\\open\\command", "name=with\"quote",
                   std::string("cut\0off", 7));
    store.createKey("wav File\\shell\\vrompplay\\command");
    store.createKey("wav File\\shell\\vrompplay2");

    // A second store reads what the first wrote; names are matched in any case.
    ClassesRoot again(dir / "settings" / "associations.reg");
    EXPECT_EQ(again.getValue(".WAV", ""), "wav File");
    EXPECT_EQ(again.getValue("WAV FILE\\Shell\\Open\\Command", ""), awkward);
    EXPECT_EQ(again.getValue("wav File\\shell\\open\\command", "name=with\"quote"), "cut");
    EXPECT_TRUE(again.keyExists("wav File\\shell"));
    EXPECT_TRUE(again.keyExists("wav File\\shell\\vrompplay"));

    // Deleting takes the child's own keys with it, and nothing else.
    EXPECT_TRUE(again.deleteKey("wav File\\shell", "VROMPPLAY"));
    EXPECT_FALSE(store.keyExists("wav File\\shell\\vrompplay\\command"));
    EXPECT_FALSE(store.keyExists("wav File\\shell\\vrompplay"));
    EXPECT_TRUE(store.keyExists("wav File\\shell\\vrompplay2"));
    EXPECT_TRUE(store.keyExists("wav File\\shell\\open\\command"));
    EXPECT_FALSE(store.deleteKey("wav File\\shell", "vrompplay"));
    EXPECT_EQ(store.lastResult(), Result::NotFound);
}

TEST_F(ClassesRootTest, AFileThatCannotBeWrittenIsReportedAndLinesNotUnderstoodArePassedOver) {
    {
        std::ofstream(dir / "hand.reg") << "; edited by hand\n[.wav]\n@=\"wav File\"\nnonsense\n"
                                           "\"x\"=unquoted\n[wav File\\shell\\open\\command]\n"
                                           "@=\"/usr/bin/sonoplexer %1\"\n";
    }
    ClassesRoot hand(dir / "hand.reg");
    EXPECT_EQ(hand.getValue(".wav", ""), "wav File");
    EXPECT_EQ(hand.getValue(".wav", "x"), "");
    EXPECT_EQ(hand.getValue("wav File\\shell\\open\\command", ""), "/usr/bin/sonoplexer %1");

    // A folder in the file's place cannot be replaced.
    std::filesystem::create_directories(dir / "blocked.reg");
    ClassesRoot blocked(dir / "blocked.reg");
    blocked.setValue(".wav", "", "wav File");
    EXPECT_EQ(blocked.lastResult(), Result::NotWritten);
    blocked.createKey(".wav");
    EXPECT_EQ(blocked.lastResult(), Result::NotWritten);
}

// Only a regular file of at most 1 MiB is read: a FIFO would hold up the start, a link to a
// device would fill the memory. Such a store is empty, and the next write replaces it.
TEST_F(ClassesRootTest, AnythingButASmallRegularFileIsAnEmptyStoreReplacedAtTheNextWrite) {
    const std::filesystem::path file = dir / "associations.reg";
    for (const char* odd : {"fifo", "zero", "large"}) {
        SCOPED_TRACE(odd);
        std::filesystem::remove(file);
        if (std::string(odd) == "fifo")
            ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
        else if (std::string(odd) == "zero")
            std::filesystem::create_symlink("/dev/zero", file);
        else
            std::ofstream(file) << "[.wav]\n@=\"wav File\"\n" << std::string(1 << 20, ';');
        ClassesRoot store(file);
        EXPECT_FALSE(store.keyExists(".wav"));
        store.setValue(".wav", "", "wav File");
        EXPECT_EQ(store.lastResult(), Result::Success);
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(file)));
        EXPECT_EQ(ClassesRoot(file).getValue(".wav", ""), "wav File");
    }
}
