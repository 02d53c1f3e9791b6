// Cancelling long work: whatever the command and wherever in its progress it is cancelled, the
// sound, the selection, the undo list and the files stay as they were.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <set>
#include <thread>

#include "EditingFixture.h"
#include "effects/StepLoop.h"
#include "formats/WavWriter.h"

namespace sono::test {
namespace {

// Everything a cancelled command must leave as it was.
struct EditorState {
    Samples left, right;
    int32_t frames;
    float bits, rate, channels;
    double selectionStart, selectionEnd;
    int16_t undoLevel, redoLevel;
    bool changed;
    std::string fileName;
    bool operator==(const EditorState&) const = default;
};

std::set<std::filesystem::path> filesIn(const std::filesystem::path& folder) {
    std::set<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file()) files.insert(entry.path().filename());
    return files;
}

// Runs the work on a thread of its own, as the window does, and calls whileWaiting meanwhile;
// `beforeWork` runs on the test's thread before the worker starts.
class ThreadRunner : public WorkRunner {
  public:
    void run(const std::function<void()>& work,
             const std::function<void()>& whileWaiting) override {
        if (!onThread) return work();
        std::exception_ptr failure;
        std::atomic<bool> done = false;
        if (beforeWork) beforeWork();
        std::thread worker([&] {
            try {
                work();
            } catch (...) {
                failure = std::current_exception();
            }
            done = true;
        });
        while (!done) {
            whileWaiting();
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        worker.join();
        if (failure) std::rethrow_exception(failure);
    }
    bool onThread = true;
    std::function<void()> beforeWork;
};

class Cancel : public EditingFixture {
  protected:
    EditorState state() {
        const Document& d = doc();
        return {d.LeftSamples,        d.RightSamples,     d.SampleCount,
                d.BitsPerSample,      d.SampleRate,       d.Channels,
                d.selection.SelStart, d.selection.SelEnd, d.UndoLevel,
                d.RedoLevel,          d.Changed,          d.FileName};
    }
    // A stereo sound saved as sound.wav, with one change undone, so that Redo has a level to
    // lose, and the reversed sound as that level.
    void loadWithRedo(size_t frames) {
        load(noise(frames, 1), noise(frames, 2));
        ASSERT_EQ(writeWaveFile(path("sound.wav"), doc(), 0, double(frames)), WriteFailure::None);
        doc().FileName = path("sound.wav");
        ASSERT_TRUE(editor->runCommand("MMreverse"));
        redone = state();
        ASSERT_TRUE(editor->runCommand("MMundo"));
        ASSERT_EQ(doc().RedoLevel, 1);
    }
    void expectPutBack(const EditorState& before, const std::string& what) {
        EXPECT_TRUE(state() == before) << what;
        EXPECT_EQ(host.statusLog.back(), "Cancelled.") << what;
        // Redo still brings the undone change back.
        ASSERT_TRUE(editor->runCommand("MMredo"));
        EXPECT_TRUE(state().left == redone.left && state().right == redone.right) << what;
    }
    EditorState redone;
};

struct LongCommand {
    const char* id;
    Arguments arguments;
    std::function<void()> before = {};
};

TEST_F(Cancel, EveryLongCommandPutsEverythingBackAtAnyStep) {
    // Open reads the other file before anything changes; paste merges after its snapshot.
    const auto otherFile = [&] {
        writeWaveFile(path("other.wav"), doc(), 0, 30000);
        host.openPaths.push_back(path("other.wav"));
    };
    const auto clipAndSelection = [&] {
        writeClip(16, 22050, noise(40000, 3), noise(40000, 4));
        select(100, 200);
    };
    const auto selection = [&] { select(1000, 20000); };
    const std::vector<LongCommand> commands = {
        {"MMreverse", {}},
        {"MMnormalize", {}}, // two passes: 60 % is in the second
        {"MMecho", {100.0, 300.0, 0.5, 0.2, int64_t(3), int64_t(1)}},
        {"MMspeed", {0.5, 2.0}},
        {"MMsat", {}},
        {"MMgekraak", {}},
        {"MMdel", {}, selection},
        {"MMmute", {}, selection},
        {"MMprop", {int64_t(0), 11025.0, int64_t(0)}}, // 8 bits, mono, another rate
        {"MMsave", {}},
        {"MMsaveMP3", {path("out.mp3"), int64_t(0), int64_t(0), "", "", "", "", "", ""}},
        {"MMopen", {}, otherFile},
        {"MMpasteOverloper", {}, clipAndSelection},
    };
    for (const LongCommand& command : commands)
        for (int step : {0, 60, 99}) {
            const std::string what = std::string(command.id) + " at " + std::to_string(step);
            loadWithRedo(30001);
            if (command.before) command.before();
            const EditorState before = state();
            const std::string fileBefore = readBytes(path("sound.wav"));
            const auto filesBefore = filesIn(dir);
            editor->work().cancelNextCommandAt(step);
            ASSERT_TRUE(editor->runCommand(command.id, command.arguments)) << what;
            EXPECT_EQ(readBytes(path("sound.wav")), fileBefore) << what;
            EXPECT_EQ(filesIn(dir), filesBefore) << what; // no partial file, no MP3
            for (const auto& file : filesIn(dir / "temp"))
                EXPECT_NE(file.extension(), ".tmp") << what << ' ' << file;
            expectPutBack(before, what);
        }

    // The next command is not cancelled: only the one that followed the request was.
    ASSERT_TRUE(editor->runCommand("MMreverse"));
    EXPECT_NE(host.statusLog.back(), "Cancelled.");
    EXPECT_EQ(doc().UndoLevel, 2);
}

class CancelOnThread : public Cancel {
  protected:
    void SetUp() override {
        workRunnerPort = &runner;
        Cancel::SetUp();
    }
    ThreadRunner runner;
};

// Long enough for the second channel to be worked on a thread of its own beside the first.
constexpr size_t TwoThreadFrames = (size_t(1) << 20) + 7;

TEST_F(CancelOnThread, TheWorkerComputesWhatTheCallerWouldAndStopsWhenCancelled) {
    for (const char* id : {"MMecho", "MMsat", "MMreverse"}) {
        const Arguments arguments = std::string(id) == "MMecho"
                                        ? Arguments{50.0, 80.0, 0.6, 0.3, int64_t(2), int64_t(0)}
                                        : Arguments{};
        loadWithRedo(TwoThreadFrames);
        const EditorState before = state();
        runner.onThread = false;
        ASSERT_TRUE(editor->runCommand(id, arguments));
        const EditorState onCaller = state();
        ASSERT_TRUE(editor->runCommand("MMundo"));

        // Commands and clicks meanwhile are refused (the window's long-work test).
        runner.onThread = true;
        host.progressSteps.clear();
        ASSERT_TRUE(editor->runCommand(id, arguments));
        EXPECT_TRUE(state() == onCaller) << id;
        EXPECT_FALSE(host.progressSteps.empty()) << id; // shown from the waiting thread
        ASSERT_TRUE(editor->runCommand("MMundo"));
        ASSERT_TRUE(state() == before) << id;

        // Cancelled on the worker a third of the way, and from the waiting thread.
        editor->work().cancelNextCommandAt(30);
        ASSERT_TRUE(editor->runCommand(id, arguments));
        EXPECT_TRUE(state() == before) << id;
        EXPECT_EQ(host.statusLog.back(), "Cancelled.") << id;
        runner.beforeWork = [&] { editor->work().cancelWork(); };
        ASSERT_TRUE(editor->runCommand(id, arguments));
        EXPECT_TRUE(state() == before) << id;
        EXPECT_EQ(host.statusLog.back(), "Cancelled.") << id;
        runner.beforeWork = nullptr;
    }
}

// A step that takes long (an echo of many repeats over an hour of sound) stops at the end of the
// piece in which Cancel came, not at the end of the step.
TEST(CancelInsideAStep, TheWorkStopsAfterThePieceUnderWay) {
    const int64_t items = 100 * 10 * ItemsBetweenCancelChecks; // ten pieces a step
    int64_t seen = 0;
    bool stepEnded = false;
    const auto work = [&] {
        forEachStep(
            items, [&](int) { stepEnded = true; },
            [&](int64_t begin, int64_t end) {
                if (begin == 0) requestCancel();
                seen += end - begin;
            });
    };
    EXPECT_THROW(work(), WorkCancelled);
    EXPECT_EQ(seen, ItemsBetweenCancelChecks);
    EXPECT_FALSE(stepEnded);
    forgetCancelRequest();
    seen = 0;
    EXPECT_NO_THROW(
        forEachStep(items, {}, [&](int64_t begin, int64_t end) { seen += end - begin; }));
    EXPECT_EQ(seen, items);
}

} // namespace
} // namespace sono::test
