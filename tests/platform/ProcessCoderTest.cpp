// Outside programs: their exit status is reported, the caller hears from the wait while one runs,
// one that outlasts its time limit is stopped, and one that is not there never starts. That every
// argument arrives unchanged, with no shell in between, the MP3 batch script shows through lame
// (mp3.sb, mp3.check).
#include <gtest/gtest.h>

#include "ProcessCoder.h"

namespace sono {
namespace {

using namespace std::chrono_literals;

TEST(ProcessCoder, TheOutcomeIsReportedAndALongRunIsStoppedAtItsLimit) {
    ProcessCoder coder;
    int waits = 0;
    const auto waiting = [&] { ++waits; };
    for (auto [program, code] : {std::pair{"true", 0}, {"false", 1}}) {
        const CoderRun run = coder.run(program, {}, 10s, waiting);
        EXPECT_TRUE(run.started && run.finished) << program;
        EXPECT_EQ(run.exitCode, code) << program;
    }
    waits = 0;
    const CoderRun stopped = coder.run("sleep", {"30"}, 300ms, waiting);
    EXPECT_TRUE(stopped.started);
    EXPECT_FALSE(stopped.finished);
    EXPECT_GE(waits, 3);
    EXPECT_FALSE(coder.run("/no such folder/program", {}, 10s, waiting).started);
    EXPECT_FALSE(coder.run("no-such-program-anywhere", {}, 10s, waiting).started);
}

} // namespace
} // namespace sono
