// Copy, cut, delete, erase, mute and add silence, driven through the editor: the clip file's
// bytes, failures, edges and progress. Their samples and texts are in the batch scripts.
#include <gtest/gtest.h>

#include "EditingFixture.h"

namespace sono::test {
namespace {

using SelectionEdits = EditingFixture;

TEST_F(SelectionEdits, CopyWritesTheClipFileByteForByte) {
    // Without a selection: the whole sound, both channels.
    load(ramp(120), ramp(120, -500), 16, 44100);
    EXPECT_FALSE(editor->enabled(EnabledRule::ClipAvailable));
    editor->edits().copy();
    EXPECT_EQ(clip(),
              clipHeader(120, 16, 44100) + block(1, ramp(120)) + block(2, ramp(120, -500)) + End);
    EXPECT_EQ(host.statusLog.back(), "The selected part has been copied.");
    EXPECT_TRUE(editor->enabled(EnabledRule::ClipAvailable));
    EXPECT_EQ(doc().UndoLevel, 0);

    // A selection in one view with the both-channels option off: that channel alone.
    select(10, 20, 2, false);
    editor->edits().copy();
    EXPECT_EQ(clip(), clipHeader(11, 16, 44100) + block(2, ramp(11, -490)) + End);
    select(10, 20, 1, false);
    editor->edits().copy();
    EXPECT_EQ(clip(), clipHeader(11, 16, 44100) + block(1, ramp(11, 10)) + End);
    setBoth(true);
    editor->edits().copy();
    EXPECT_EQ(clip(),
              clipHeader(11, 16, 44100) + block(1, ramp(11, 10)) + block(2, ramp(11, -490)) + End);

    // A mono 8-bit sound: one block; the selection stays.
    load(ramp(150, 100), {}, 8, 8000);
    select(0, 148);
    editor->edits().copy();
    EXPECT_EQ(clip(), clipHeader(149, 8, 8000) + block(1, ramp(149, 100)) + End);
    EXPECT_EQ(doc().selection.SelStart, 0);
    EXPECT_EQ(doc().selection.SelEnd, 148);
}

// Erase copies first, so the erased part can be pasted back; Cut and Erase do nothing when the
// clip cannot be written.
TEST_F(SelectionEdits, CutAndEraseChangeTheSoundOnlyOnceTheClipIsWritten) {
    load(ramp(200, -100));
    select(0, 4);
    editor->edits().erase();
    EXPECT_EQ(left(), cat({Samples(5, 0), ramp(195, -95)}));
    EXPECT_EQ(clip(), clipHeader(5, 16, 22050) + block(1, ramp(5, -100)) + End);
    EXPECT_EQ(doc().UndoLevel, 1);

    load(ramp(300));
    std::filesystem::remove(clipFile());
    std::filesystem::create_directories(clipFile() / "occupied");
    select(100, 110);
    editor->edits().cut();
    EXPECT_EQ(left(), ramp(300));
    EXPECT_EQ(doc().UndoLevel, 0);
    EXPECT_EQ(host.lastCritical(), "The selected part could not be copied, because the temporary "
                                   "folder cannot be written.");
    editor->edits().erase();
    EXPECT_EQ(left(), ramp(300));
}

// The answers and messages are in editing.sb; the default of the next question is not.
TEST_F(SelectionEdits, AddSilenceRemembersTheLastAcceptedNumberWithAPoint) {
    load(ramp(300, 5), ramp(300, 5), 8);
    host.inputs = {"0,5"};
    editor->edits().addSilence();
    EXPECT_EQ(doc().SampleCount, 300 + 11025);
    EXPECT_EQ(right().back(), 128); // an 8-bit silence in both channels
    // The smallest number the box takes: a tenth of a second.
    host.inputs = {"0.1"};
    editor->edits().addSilence();
    EXPECT_EQ(doc().SampleCount, 300 + 11025 + 2205);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.inputDefaults, (std::vector<std::string>{"1", "0.5"}));
}

// A sound of one frame and selections at the very edges or past the end stay inside the arrays.
TEST_F(SelectionEdits, EdgesOfTheSoundStayInsideTheArrays) {
    load({5}, {6});
    select(0, 0);
    editor->edits().copy();
    EXPECT_EQ(clip(), clipHeader(1, 16, 22050) + block(1, {5}) + block(2, {6}) + End);
    editor->edits().mute();
    EXPECT_EQ(left(0, 1), Samples{0});
    select(0, 0);
    editor->edits().deleteSelected();
    EXPECT_EQ(left(), Samples(100, 0));

    // A selection reaching past the end counts only the frames that are there.
    load(ramp(150));
    select(140, 400);
    editor->edits().cut();
    EXPECT_EQ(clip(), clipHeader(10, 16, 22050) + block(1, ramp(10, 140)) + End);
    EXPECT_EQ(left(), ramp(140));
    select(149, 149);
    editor->edits().erase();
    EXPECT_EQ(left(), ramp(140));
}

// The bar's steps are rounded halves to even. Mute of both channels: slice s shows s / 2, then
// 100 - (100 - s) / 2: 0.5, 1.5, 2.5, 49.5, then 100 - 49.5 and 100 - 48.5.
TEST_F(SelectionEdits, ProgressRunsOverBothChannelsRoundedHalvesToEven) {
    const std::vector<int>& steps = host.progressSteps;
    load(ramp(1000), ramp(1000));
    select(100, 899);
    host.progressSteps.clear();
    editor->edits().mute();
    ASSERT_EQ(steps.size(), 200u);
    EXPECT_EQ(std::vector({steps[1], steps[3], steps[5], steps[99], steps[101], steps[103]}),
              std::vector({0, 2, 2, 50, 50, 52}));
}

} // namespace
} // namespace sono::test
