// Copy, cut, delete, erase, mute and add silence, driven through the editor.
#include <gtest/gtest.h>

#include "EditingFixture.h"

namespace sono::test {
namespace {

using SelectionEdits = EditingFixture;

TEST_F(SelectionEdits, CopyWritesTheClipFileByteForByte) {
    // Without a selection: the whole sound, both channels.
    load(ramp(120), ramp(120, -500), 16, 44100);
    EXPECT_FALSE(editor->pasteEnabled());
    editor->MMcopy();
    EXPECT_EQ(clip(),
              clipHeader(120, 16, 44100) + block(1, ramp(120)) + block(2, ramp(120, -500)) + End);
    EXPECT_EQ(host.statusLog.back(), "The selected part has been copied.");
    EXPECT_TRUE(editor->pasteEnabled());
    EXPECT_EQ(doc().UndoLevel, 0);

    // A selection in one view with the both-channels option off: that channel alone.
    select(10, 20, 2, false);
    editor->MMcopy();
    EXPECT_EQ(clip(), clipHeader(11, 16, 44100) + block(2, ramp(11, -490)) + End);
    select(10, 20, 1, false);
    editor->MMcopy();
    EXPECT_EQ(clip(), clipHeader(11, 16, 44100) + block(1, ramp(11, 10)) + End);
    setBoth(true);
    editor->MMcopy();
    EXPECT_EQ(clip(),
              clipHeader(11, 16, 44100) + block(1, ramp(11, 10)) + block(2, ramp(11, -490)) + End);

    // A mono 8-bit sound: one block; the selection stays.
    load(ramp(150, 100), {}, 8, 8000);
    select(0, 148);
    editor->MMcopy();
    EXPECT_EQ(clip(), clipHeader(149, 8, 8000) + block(1, ramp(149, 100)) + End);
    EXPECT_EQ(doc().SelStart, 0);
    EXPECT_EQ(doc().SelEnd, 148);
}

TEST_F(SelectionEdits, DeleteRemovesTheSelectedFrames) {
    load(ramp(300));
    select(100, 150);
    editor->MMdel();
    EXPECT_EQ(doc().SampleCount, 249);
    EXPECT_EQ(left(), cat({ramp(100), ramp(149, 151)}));
    EXPECT_EQ(doc().SelStart, -1);
    EXPECT_EQ(doc().UndoLevel, 1);
    EXPECT_EQ(host.statusLog.back(), "The selected part has been deleted.");

    // A selection that reaches the end only shortens the sound.
    select(200, 248);
    editor->MMned();
    editor->MMdel();
    EXPECT_EQ(left(), cat({ramp(100), ramp(100, 151)}));
    EXPECT_EQ(host.statusLog.back(), "Het geselecteerde deel is verwijderd.");
    editor->MMeng();

    // Deleting everything leaves no frames; the redraw then makes 100 frames of silence.
    load(ramp(300, 1), {}, 8);
    select(0, 299);
    editor->MMdel();
    EXPECT_EQ(editor->panel(3), "Time: 0.00");
    EXPECT_EQ(editor->panel(4), "File: 1 kb");
    EXPECT_EQ(left(), Samples(100, 128));

    // Without a selection Delete does nothing, not even an undo level.
    load(ramp(300));
    editor->MMdel();
    EXPECT_EQ(doc().SampleCount, 300);
    EXPECT_EQ(doc().UndoLevel, 0);
}

TEST_F(SelectionEdits, DeleteInOneChannelKeepsTheLength) {
    load(ramp(300), ramp(300, 1000), 16);
    select(100, 150, 2, false);
    editor->MMdel();
    EXPECT_EQ(doc().SampleCount, 300);
    EXPECT_EQ(left(), ramp(300));
    EXPECT_EQ(right(), cat({ramp(100, 1000), ramp(149, 1151), Samples(51, 0)}));

    // At the very end of the channel the other channel still keeps every frame.
    load(ramp(300, 10), ramp(300, 1000));
    select(250, 299, 1, false);
    editor->MMdel();
    EXPECT_EQ(doc().SampleCount, 300);
    EXPECT_EQ(right(), ramp(300, 1000));
    EXPECT_EQ(left(), cat({ramp(250, 10), Samples(50, 0)}));

    // Both channels: the sound gets shorter.
    select(0, 10, 1);
    editor->MMdel();
    EXPECT_EQ(doc().SampleCount, 289);
    EXPECT_EQ(right(), ramp(289, 1011));
}

TEST_F(SelectionEdits, MuteAndEraseWriteSilence) {
    load(ramp(200, 20), ramp(200, 30), 8);
    select(10, 20, 2, false);
    editor->MMmute();
    EXPECT_EQ(left(), ramp(200, 20));
    EXPECT_EQ(right(), cat({ramp(10, 30), Samples(11, 128), ramp(179, 51)}));
    EXPECT_EQ(doc().SelStart, 10);
    EXPECT_EQ(doc().SelEnd, 20);
    EXPECT_EQ(host.statusLog.back(), "The selected part has been muted.");

    // Erase copies first, so the erased part can be pasted back.
    load(ramp(200, -100));
    select(0, 4);
    editor->MMerase();
    EXPECT_EQ(left(), cat({Samples(5, 0), ramp(195, -95)}));
    EXPECT_EQ(clip(), clipHeader(5, 16, 22050) + block(1, ramp(5, -100)) + End);
    EXPECT_EQ(host.statusLog.back(), "The selected part has been erased.");
    EXPECT_EQ(doc().UndoLevel, 1);
}

TEST_F(SelectionEdits, CutCopiesThenDeletesUnlessTheClipCannotBeWritten) {
    load(ramp(300));
    select(100, 110);
    editor->MMcut();
    EXPECT_EQ(clip(), clipHeader(11, 16, 22050) + block(1, ramp(11, 100)) + End);
    EXPECT_EQ(left(), cat({ramp(100), ramp(189, 111)}));
    EXPECT_EQ(host.statusLog.back(), "The selected part has been cut.");
    EXPECT_EQ(doc().UndoLevel, 1);

    load(ramp(300));
    std::filesystem::remove(clipFile());
    std::filesystem::create_directories(clipFile() / "occupied");
    select(100, 110);
    editor->MMcut();
    EXPECT_EQ(left(), ramp(300));
    EXPECT_EQ(doc().UndoLevel, 0);
    EXPECT_EQ(host.lastCritical(), "The selected part could not be copied, because the temporary "
                                   "folder cannot be written.");
    editor->MMerase();
    EXPECT_EQ(left(), ramp(300));
}

TEST_F(SelectionEdits, AddSilenceAsksForSecondsAndChecksThem) {
    load(ramp(300, 5), {}, 8);
    host.inputs = {"abc", "0.05", "61", "0,5"};
    editor->MMSilence();
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[0].text, "Please type a number.");
    EXPECT_EQ(host.messages[0].caption, "Add Silence");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(host.messages[1].text, "Please type a number between 0.1 and 60.");
    EXPECT_EQ(host.messages[2].text, "Please type a number between 0.1 and 60.");
    EXPECT_EQ(doc().SampleCount, 300 + 11025);
    EXPECT_EQ(left(), cat({ramp(300, 5), Samples(11025, 128)}));
    EXPECT_EQ(editor->silenceTag, "0.5");
    EXPECT_EQ(host.statusLog.back(), "Silence has been added.");
    EXPECT_EQ(doc().UndoLevel, 1);

    // The bounds themselves are accepted; Cancel and an empty answer change nothing.
    load(ramp(300), ramp(300), 16, 1000);
    host.inputs = {"0.1", " 60 ", ""};
    for (int ask = 0; ask < 4; ++ask) // the fourth is Cancel
        editor->MMSilence();
    EXPECT_EQ(right(300, 100), Samples(100, 0));
    EXPECT_EQ(doc().SampleCount, 60400);
    EXPECT_EQ(doc().UndoLevel, 2);

    editor->MMned();
    host.inputs = {"1e", "-1", "2"};
    editor->MMSilence();
    EXPECT_EQ(host.messages[host.messages.size() - 2].text, "Geef een nummer op.");
    EXPECT_EQ(host.messages.back().text, "Geef een nummer op tussen 0,1 en 60.");
    EXPECT_EQ(host.messages.back().caption, "Stilte Toevoegen");
    EXPECT_EQ(doc().SampleCount, 62400);
}

// A sound of one frame and selections at the very edges or past the end stay inside the arrays.
TEST_F(SelectionEdits, EdgesOfTheSoundStayInsideTheArrays) {
    load({5}, {6});
    select(0, 0);
    editor->MMcopy();
    EXPECT_EQ(clip(), clipHeader(1, 16, 22050) + block(1, {5}) + block(2, {6}) + End);
    editor->MMmute();
    EXPECT_EQ(left(0, 1), Samples{0});
    select(0, 0);
    editor->MMdel();
    EXPECT_EQ(left(), Samples(100, 0));

    // A selection reaching past the end counts only the frames that are there.
    load(ramp(150));
    select(140, 400);
    editor->MMcut();
    EXPECT_EQ(clip(), clipHeader(10, 16, 22050) + block(1, ramp(10, 140)) + End);
    EXPECT_EQ(left(), ramp(140));
    select(149, 149);
    editor->MMerase();
    EXPECT_EQ(left(), ramp(140));
}

} // namespace
} // namespace sono::test
