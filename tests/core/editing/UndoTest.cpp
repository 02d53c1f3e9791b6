// The undo store: snapshot files, levels, Undo and Redo, and what happens when a file fails.
#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <limits>

#include "EditingFixture.h"
#include "editing/UndoStore.h"

namespace sono::test {
namespace {

// A snapshot's header: its tag, the frame count, then width, rate and channels as floats.
std::string snapshotHeader(int32_t frames, float bits, float rate, float channels) {
    std::string out = "UND0";
    appendLE32(out, uint32_t(frames));
    for (float field : {bits, rate, channels})
        appendLE32(out, std::bit_cast<uint32_t>(field));
    return out;
}

using Undo = EditingFixture;

TEST_F(Undo, SnapshotHoldsTheSoundByteForByte) {
    load(ramp(120, 60), ramp(120, 100), 8, 11025);
    ASSERT_TRUE(editor->history().push());
    EXPECT_EQ(readBytes(snapshot(0)),
              snapshotHeader(120, 8, 11025, 2) + le16(ramp(120, 60)) + le16(ramp(120, 100)));
    EXPECT_EQ(doc().UndoLevel, 1);
    EXPECT_EQ(doc().RedoLevel, 1);
    EXPECT_TRUE(doc().Changed);

    // A mono sound stores one channel; a negative 16-bit sample keeps its two's complement.
    load({-2, 300, 7});
    ASSERT_TRUE(editor->history().push());
    EXPECT_EQ(readBytes(snapshot(0)),
              snapshotHeader(3, 16, 22050, 1) + std::string("\xfe\xff\x2c\x01\x07\x00", 6));

    // A long sound's snapshot is a copy in memory written beside the edit (or, at Undo, the
    // sound's own arrays); its file comes out the same. Undo and Redo may take a snapshot from
    // memory before its file is whole; the next edit waits for the writes before it.
    const int frames = 1'200'001;
    const Samples a = ramp(frames), b = ramp(frames, 5);
    load(a, b);
    editor->effects().changeVolume(0.5f, 0.5f);
    const Samples halved = left(), halvedRight = right();
    EXPECT_TRUE(undo() == a);
    EXPECT_TRUE(redo() == halved);
    editor->effects().reverse();
    EXPECT_TRUE(readBytes(snapshot(0)) == snapshotHeader(frames, 16, 22050, 2) + le16(a) + le16(b));
    editor->effects().reverse();
    EXPECT_TRUE(readBytes(snapshot(1)) ==
                snapshotHeader(frames, 16, 22050, 2) + le16(halved) + le16(halvedRight));
}

// The levels, samples, panels and texts of Undo and Redo are in editing.sb.
TEST_F(Undo, NothingHappensWithoutASoundAndClearingFindsEverySnapshot) {
    editor->history().undo();
    editor->history().redo();
    EXPECT_TRUE(device.commands.empty());
    EXPECT_EQ(doc().UndoLevel, 0);

    // A level whose file could not be written leaves a gap that hides nothing above it.
    for (int n : {0, 1, 3})
        writeBytes(snapshot(n), "x");
    writeBytes(dir / "temp" / "keep.dat", "x");
    editor->history().clear();
    for (int n : {0, 1, 3})
        EXPECT_FALSE(std::filesystem::exists(snapshot(n))) << n;
    EXPECT_TRUE(std::filesystem::exists(dir / "temp" / "keep.dat"));

    // New sound clears the history, files included.
    load(ramp(200));
    select(0, 10);
    editor->edits().mute();
    ASSERT_TRUE(std::filesystem::exists(snapshot(0)));
    editor->newEmptySound();
    EXPECT_FALSE(std::filesystem::exists(snapshot(0)));
    EXPECT_EQ(doc().UndoLevel, 0);
}

// Every level of the history can be reached at every moment. When the disk takes no snapshot
// (a full disk, a size limit) memory keeps it; only when neither can is the edit refused, before
// anything changes and without touching the levels there are.
TEST_F(Undo, EveryLevelStaysWithinReachWhenTheDiskFails) {
    // Short sounds, written at once (300 frames are past the limit), and long ones, written beside
    // the edit.
    for (int frames : {300, 1'200'001}) {
        SCOPED_TRACE(frames);
        const Samples a = ramp(frames), b = ramp(frames, 5);
        load(a, b);
        setBoth(true);
        editor->effects().changeVolume(0.5f, 0.5f);
        const Samples half = left();
        {
            FileSizeLimit full(1000);
            editor->effects().reverse();
            const Samples reversed = left();
            editor->effects().changeVolume(2, 2);
            const Samples louder = left();
            ASSERT_EQ(doc().UndoLevel, 3);
            EXPECT_TRUE(undo() == reversed);
            EXPECT_TRUE(undo() == half);
            EXPECT_TRUE(undo() == a);
            EXPECT_TRUE(right() == b);
            redo();
            EXPECT_TRUE(redo() == reversed);
            EXPECT_TRUE(redo() == louder);
            undo();
            EXPECT_TRUE(undo() == half);
            EXPECT_TRUE(host.messages.empty());
        }
        // The disk back, the levels kept in memory are still the way back.
        EXPECT_TRUE(undo() == a);
        EXPECT_TRUE(redo() == half);
    }

    // Neither disk nor memory: the edit is refused, the sound and every level as they were.
    load(ramp(200));
    select(10, 20);
    editor->edits().mute();
    const Samples muted = left();
    editor->history().undo();
    ASSERT_EQ(doc().UndoLevel, 0);
    host.messages.clear();
    host.statusLog.clear();
    availableMemory = 0;
    {
        FileSizeLimit full(100);
        editor->effects().reverse();
    }
    EXPECT_EQ(left(), ramp(200));
    EXPECT_EQ(doc().UndoLevel, 0);
    EXPECT_EQ(doc().RedoLevel, 1);
    EXPECT_EQ(
        host.lastCritical(),
        "The undo data could not be written to the temporary folder. Nothing has been changed.");
    EXPECT_TRUE(host.statusLog.empty());
    EXPECT_EQ(redo(), muted);
    EXPECT_EQ(undo(), ramp(200));

    // The same in Dutch, with a folder under the snapshot's name.
    std::filesystem::remove(snapshot(0));
    std::filesystem::create_directories(snapshot(0) / "occupied");
    editor->preferences().switchToDutch();
    select(10, 20);
    editor->edits().deleteSelected();
    EXPECT_EQ(doc().SampleCount, 200);
    EXPECT_EQ(host.lastCritical(), "De gegevens om ongedaan te maken konden niet worden opgeslagen "
                                   "in de tijdelijke map. Er is niets veranderd.");
}

TEST_F(Undo, ADamagedSnapshotOrAForeignFileLeavesTheSoundAsItWas) {
    load(ramp(200));
    select(10, 20);
    editor->edits().mute();
    const Samples muted = left();
    const std::string good = readBytes(snapshot(0));

    // Missing, cut off inside the header or the samples, or long enough for what its header
    // claims but of a format no sound has: the same refusal.
    std::vector<std::optional<std::string>> damaged = {std::nullopt};
    for (size_t length : {size_t(3), size_t(12), size_t(20), good.size() - 1})
        damaged.push_back(good.substr(0, length));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        int32_t frames;
        float bits, rate, channels;
    } impossible[] = {{-1, 16, 22050, 1},  {200, 12, 22050, 1},  {200, 0, 22050, 1},
                      {200, 16, 0, 1},     {200, 16, -22050, 1}, {200, 16, nan, 1},
                      {200, 16, 22050, 0}, {200, 16, 22050, 3},  {200, 16, 22050, 1.5f}};
    for (const auto& h : impossible)
        damaged.push_back(snapshotHeader(h.frames, h.bits, h.rate, h.channels) + le16(ramp(200)) +
                          le16(ramp(200)) + le16(ramp(200)));
    for (size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(i);
        if (damaged[i])
            writeBytes(snapshot(0), *damaged[i]);
        else
            std::filesystem::remove(snapshot(0));
        host.messages.clear();
        EXPECT_EQ(undo(), muted);
        EXPECT_EQ(doc().SampleCount, 200);
        EXPECT_EQ(doc().BitsPerSample, 16);
        EXPECT_EQ(doc().SampleRate, 22050);
        EXPECT_EQ(doc().Channels, 1);
        EXPECT_EQ(doc().UndoLevel, 1);
        EXPECT_EQ(host.lastCritical(),
                  "The undo data is missing or damaged. Nothing has been changed.");
    }

    // A file that is no snapshot at all ends Undo without a word, a level down.
    writeBytes(snapshot(0), "UNDX and more bytes than a header");
    host.messages.clear();
    EXPECT_EQ(undo(), muted);
    EXPECT_EQ(doc().UndoLevel, 0);
    EXPECT_TRUE(host.messages.empty());

    // A damaged one at Redo.
    std::filesystem::resize_file(snapshot(1), 30);
    editor->preferences().switchToDutch();
    EXPECT_EQ(redo(), muted);
    EXPECT_EQ(doc().UndoLevel, 0);
    EXPECT_EQ(host.lastCritical(),
              "De gegevens om ongedaan te maken of te herhalen ontbreken of zijn beschadigd. Er is "
              "niets veranderd.");
}

// After a crash the newest snapshot is brought back, or the one before it when the newest was cut
// short. The snapshots are found by name, so a level whose file was never written hides none
// above it.
TEST_F(Undo, ARecoveryPassesOverACutShortSnapshot) {
    const std::filesystem::path crashed = dir / "crashed";
    std::filesystem::create_directories(crashed);
    load(ramp(300), ramp(300, 7));
    ASSERT_TRUE(writeUndoSnapshot(undoSnapshotPath(crashed, 0), doc()));
    load(ramp(400));
    ASSERT_TRUE(writeUndoSnapshot(undoSnapshotPath(crashed, 1), doc()));
    std::filesystem::last_write_time(undoSnapshotPath(crashed, 0),
                                     std::filesystem::file_time_type::clock::now() -
                                         std::chrono::hours(1));
    std::optional<NewSound> recovered = readCrashedSound({crashed});
    ASSERT_TRUE(recovered);
    EXPECT_EQ(recovered->LeftSamples, ramp(400));

    std::filesystem::resize_file(undoSnapshotPath(crashed, 1), 500);
    recovered = readCrashedSound({crashed});
    ASSERT_TRUE(recovered);
    EXPECT_EQ(recovered->LeftSamples, ramp(300));
    EXPECT_EQ(recovered->RightSamples, ramp(300, 7));

    std::filesystem::remove(undoSnapshotPath(crashed, 1));
    std::filesystem::rename(undoSnapshotPath(crashed, 0), undoSnapshotPath(crashed, 7));
    recovered = readCrashedSound({crashed});
    ASSERT_TRUE(recovered);
    EXPECT_EQ(recovered->LeftSamples, ramp(300));

    std::filesystem::remove(undoSnapshotPath(crashed, 7));
    EXPECT_FALSE(readCrashedSound({crashed}));
}

} // namespace
} // namespace sono::test
