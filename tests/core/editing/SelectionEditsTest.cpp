// Copy, cut, delete, erase, mute and add silence, driven through the editor.
#include <gtest/gtest.h>

#include "EditingFixture.h"

namespace sono::test {
namespace {

using SelectionEdits = EditingFixture;

TEST_F(SelectionEdits, CopyWritesTheClipFileByteForByte) {
    // Without a selection: the whole sound, both channels.
    makeSound(ramp(120), ramp(120, -500), 16, 44100);
    EXPECT_FALSE(editor->pasteEnabled());
    editor->MMcopy();
    EXPECT_EQ(fileBytes(clipFile()),
              clipHeader(120, 16, 44100) + block(1, ramp(120)) + block(2, ramp(120, -500)) + End);
    EXPECT_EQ(fileBytes(clipFile()).size(), 4 + 12 + 2 + 4 * 120 + 2u);
    EXPECT_EQ(host.statusLog.back(), "The selected part has been copied.");
    EXPECT_TRUE(editor->pasteEnabled());
    EXPECT_EQ(doc().UndoLevel, 0);

    // A selection in the lower view with the both-channels option off: channel 2 alone.
    setBoth(false);
    select(10, 20, 2);
    editor->MMcopy();
    EXPECT_EQ(fileBytes(clipFile()), clipHeader(11, 16, 44100) + block(2, ramp(11, -490)) + End);
    select(10, 20, 1);
    editor->MMcopy();
    EXPECT_EQ(fileBytes(clipFile()), clipHeader(11, 16, 44100) + block(1, ramp(11, 10)) + End);
    setBoth(true);
    editor->MMcopy();
    EXPECT_EQ(fileBytes(clipFile()),
              clipHeader(11, 16, 44100) + block(1, ramp(11, 10)) + block(2, ramp(11, -490)) + End);

    // A mono 8-bit sound: one block; the selection stays.
    makeSound(ramp(150, 100), {}, 8, 8000);
    select(0, 148);
    editor->MMned();
    editor->MMcopy();
    EXPECT_EQ(fileBytes(clipFile()), clipHeader(149, 8, 8000) + block(1, ramp(149, 100)) + End);
    EXPECT_EQ(fileBytes(clipFile()).size(), 4 + 12 + 1 + 2 * 149 + 2u);
    EXPECT_EQ(host.statusLog.back(), "Het geselecteerde deel is gekopiëerd.");
    EXPECT_EQ(doc().SelStart, 0);
    EXPECT_EQ(doc().SelEnd, 148);
}

TEST_F(SelectionEdits, DeleteRemovesTheSelectedFrames) {
    makeSound(ramp(300));
    select(100, 150);
    editor->MMdel();
    EXPECT_EQ(doc().SampleCount, 249);
    EXPECT_EQ(left(95, 10), Samples({95, 96, 97, 98, 99, 151, 152, 153, 154, 155}));
    EXPECT_EQ(doc().LeftSamples.size(), 249u);
    EXPECT_EQ(doc().SelStart, -1);
    EXPECT_EQ(doc().UndoLevel, 1);
    EXPECT_EQ(host.statusLog.back(), "The selected part has been deleted.");

    // A selection that reaches the end only shortens the sound.
    select(200, 248);
    editor->MMned();
    editor->MMdel();
    EXPECT_EQ(doc().SampleCount, 200);
    EXPECT_EQ(left(195, 5), Samples({246, 247, 248, 249, 250}));
    EXPECT_EQ(host.statusLog.back(), "Het geselecteerde deel is verwijderd.");
    editor->MMeng();

    // Deleting everything leaves no frames; the redraw then makes 100 frames of silence.
    makeSound(ramp(300, 1), {}, 8);
    select(0, 299);
    editor->MMdel();
    EXPECT_EQ(editor->panel(3), "Time: 0.00");
    EXPECT_EQ(editor->panel(4), "File: 1 kb");
    EXPECT_EQ(doc().SampleCount, 100);
    EXPECT_EQ(doc().LeftSamples, Samples(100, 128));

    // Without a selection Delete does nothing, not even an undo level.
    makeSound(ramp(300));
    editor->MMdel();
    EXPECT_EQ(doc().SampleCount, 300);
    EXPECT_EQ(doc().UndoLevel, 0);
}

TEST_F(SelectionEdits, DeleteInOneChannelKeepsTheLength) {
    makeSound(ramp(300), ramp(300, 1000), 16);
    setBoth(false);
    select(100, 150, 2);
    editor->MMdel();
    EXPECT_EQ(doc().SampleCount, 300);
    EXPECT_EQ(doc().LeftSamples, ramp(300));
    EXPECT_EQ(right(98, 4), Samples({1098, 1099, 1151, 1152}));
    EXPECT_EQ(right(248, 1), Samples{1299});
    EXPECT_EQ(right(249, 51), Samples(51, 0));

    // At the very end of the channel the other channel still keeps every frame.
    makeSound(ramp(300, 10), ramp(300, 1000));
    select(250, 299, 1);
    editor->MMdel();
    EXPECT_EQ(doc().SampleCount, 300);
    EXPECT_EQ(doc().RightSamples, ramp(300, 1000));
    EXPECT_EQ(left(249, 1), Samples{259});
    EXPECT_EQ(left(250, 50), Samples(50, 0));

    // Both channels: the sound gets shorter.
    setBoth(true);
    select(0, 10, 1);
    editor->MMdel();
    EXPECT_EQ(doc().SampleCount, 289);
    EXPECT_EQ(right(0, 1), Samples{1011});
}

TEST_F(SelectionEdits, MuteAndEraseWriteSilence) {
    makeSound(ramp(200, 20), ramp(200, 30), 8);
    setBoth(false);
    select(10, 20, 2);
    editor->MMmute();
    EXPECT_EQ(doc().LeftSamples, ramp(200, 20));
    EXPECT_EQ(right(9, 13),
              Samples({39, 128, 128, 128, 128, 128, 128, 128, 128, 128, 128, 128, 51}));
    EXPECT_EQ(doc().SelStart, 10);
    EXPECT_EQ(doc().SelEnd, 20);
    EXPECT_EQ(doc().SampleCount, 200);
    EXPECT_EQ(host.statusLog.back(), "The selected part has been muted.");

    // Erase copies first, so the erased part can be pasted back.
    makeSound(ramp(200, -100));
    select(0, 4);
    editor->MMerase();
    EXPECT_EQ(left(0, 6), Samples({0, 0, 0, 0, 0, -95}));
    EXPECT_EQ(fileBytes(clipFile()), clipHeader(5, 16, 22050) + block(1, ramp(5, -100)) + End);
    EXPECT_EQ(host.statusLog.back(), "The selected part has been erased.");
    EXPECT_EQ(doc().UndoLevel, 1);
    editor->MMned();
    select(10, 12);
    editor->MMerase();
    EXPECT_EQ(host.statusLog.back(), "Het geselecteerde deel is gewist.");
    editor->MMmute();
    EXPECT_EQ(host.statusLog.back(), "Het geselecteerde deel is tot stilte gemaakt.");
}

TEST_F(SelectionEdits, CutCopiesThenDeletes) {
    makeSound(ramp(300));
    select(100, 110);
    editor->MMcut();
    EXPECT_EQ(fileBytes(clipFile()), clipHeader(11, 16, 22050) + block(1, ramp(11, 100)) + End);
    EXPECT_EQ(doc().SampleCount, 289);
    EXPECT_EQ(left(99, 2), Samples({99, 111}));
    EXPECT_EQ(host.statusLog.back(), "The selected part has been cut.");
    EXPECT_EQ(doc().UndoLevel, 1);

    // Cut again, then paste the clip over three frames, which it replaces.
    select(100, 110);
    editor->MMned();
    editor->MMcut();
    EXPECT_EQ(host.statusLog.back(), "Het geselecteerde deel is geknipt.");
    select(100, 102);
    editor->MMpaste();
    EXPECT_EQ(left(99, 14),
              Samples({99, 111, 112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 125, 126}));
}

TEST_F(SelectionEdits, ACutWhoseClipCannotBeWrittenKeepsTheSound) {
    makeSound(ramp(300));
    std::filesystem::create_directories(clipFile() / "occupied");
    select(100, 110);
    editor->MMcut();
    EXPECT_EQ(doc().LeftSamples, ramp(300));
    EXPECT_EQ(doc().UndoLevel, 0);
    EXPECT_EQ(host.lastCritical(), "The selected part could not be copied, because the temporary "
                                   "folder cannot be written.");
    editor->MMerase();
    EXPECT_EQ(doc().LeftSamples, ramp(300));
}

TEST_F(SelectionEdits, AddSilenceAsksForSecondsAndChecksThem) {
    makeSound(ramp(300, 5), {}, 8);
    host.inputs = {"abc", "0.05", "61", "0,5"};
    editor->MMSilence();
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[0].text, "Please type a number.");
    EXPECT_EQ(host.messages[0].caption, "Add Silence");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(host.messages[1].text, "Please type a number between 0.1 and 60.");
    EXPECT_EQ(host.messages[2].text, "Please type a number between 0.1 and 60.");
    EXPECT_EQ(doc().SampleCount, 300 + 11025);
    EXPECT_EQ(left(298, 2), Samples({303, 304}));
    EXPECT_EQ(left(300, 11025), Samples(11025, 128));
    EXPECT_EQ(editor->silenceTag, "0.5");
    EXPECT_EQ(host.statusLog.back(), "Silence has been added.");
    EXPECT_EQ(doc().UndoLevel, 1);

    // The bounds themselves are accepted; Cancel and an empty answer change nothing.
    makeSound(ramp(300), ramp(300), 16, 1000);
    host.inputs = {"0.1"};
    editor->MMSilence();
    EXPECT_EQ(doc().SampleCount, 400);
    EXPECT_EQ(right(300, 100), Samples(100, 0));
    host.inputs = {" 60 "};
    editor->MMSilence();
    EXPECT_EQ(doc().SampleCount, 60400);
    host.inputs = {""};
    editor->MMSilence();
    editor->MMSilence(); // Cancel
    EXPECT_EQ(doc().SampleCount, 60400);
    EXPECT_EQ(doc().UndoLevel, 2);

    editor->MMned();
    host.inputs = {"1e", "-1", "2"};
    editor->MMSilence();
    EXPECT_EQ(host.messages[host.messages.size() - 2].text, "Geef een nummer op.");
    EXPECT_EQ(host.messages.back().text, "Geef een nummer op tussen 0,1 en 60.");
    EXPECT_EQ(host.messages.back().caption, "Stilte Toevoegen");
    EXPECT_EQ(host.statusLog.back(), "Stilte is toegevoegd.");
    EXPECT_EQ(doc().SampleCount, 62400);
}

// A sound of one frame and selections at the very edges or past the end stay inside the arrays.
TEST_F(SelectionEdits, EdgesOfTheSoundStayInsideTheArrays) {
    makeSound({5}, {6});
    doc().SelStart = doc().SelEnd = 0;
    editor->MMcopy();
    EXPECT_EQ(fileBytes(clipFile()),
              clipHeader(1, 16, 22050) + block(1, {5}) + block(2, {6}) + End);
    editor->MMmute();
    EXPECT_EQ(left(0, 1), Samples{0});
    doc().SelStart = doc().SelEnd = 0;
    editor->MMdel();
    EXPECT_EQ(doc().SampleCount, 100);
    EXPECT_EQ(doc().LeftSamples, Samples(100, 0));

    // A selection reaching past the end counts only the frames that are there.
    makeSound(ramp(150));
    doc().SelStart = 140;
    doc().SelEnd = 400;
    editor->MMcut();
    EXPECT_EQ(fileBytes(clipFile()), clipHeader(10, 16, 22050) + block(1, ramp(10, 140)) + End);
    EXPECT_EQ(doc().LeftSamples, ramp(140));
    doc().SelStart = 149;
    doc().SelEnd = 149;
    editor->MMerase();
    EXPECT_EQ(left(139, 1), Samples{139});
}

} // namespace
} // namespace sono::test
