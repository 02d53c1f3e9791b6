// Outside programs run as they are named, with every argument handed over unchanged and no
// shell in between, and are stopped when they outlast their time limit.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

#include "ProcessCoder.h"

namespace sono {
namespace {

using namespace std::chrono_literals;

TEST(ProcessCoder, ArgumentsArriveUnchangedAndTheOutcomeIsReported) {
    int argc = 1;
    char name[] = "platform_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    ProcessCoder coder;
    int waits = 0;
    const auto waiting = [&] { ++waits; };

    // Blanks, quotes, a semicolon, a command substitution and non-ASCII letters are just part of
    // the name: a shell would have split or run them.
    const std::string source = folder + "/in.wav";
    const std::string target = folder + "/it's a \"copy\"; rm -f in.wav $(touch hit) ë.wav";
    std::ofstream(source) << "RIFF";
    CoderRun copied = coder.run("cp", {source, target}, 10s, waiting);
    EXPECT_TRUE(copied.started && copied.finished);
    EXPECT_EQ(copied.exitCode, 0);
    EXPECT_TRUE(std::filesystem::exists(target));
    EXPECT_TRUE(std::filesystem::exists(source));
    EXPECT_FALSE(std::filesystem::exists("hit"));

    CoderRun failed = coder.run("false", {}, 10s, waiting);
    EXPECT_TRUE(failed.started && failed.finished);
    EXPECT_EQ(failed.exitCode, 1);

    // The caller hears from the wait while the program runs, and the program stops at its
    // limit.
    CoderRun stopped = coder.run("sleep", {"30"}, 300ms, waiting);
    EXPECT_TRUE(stopped.started);
    EXPECT_FALSE(stopped.finished);
    EXPECT_GE(waits, 3);

    EXPECT_FALSE(coder.run(folder + "/no such program", {}, 10s, waiting).started);
    EXPECT_FALSE(coder.run("no-such-program-anywhere", {}, 10s, waiting).started);
}

} // namespace
} // namespace sono
