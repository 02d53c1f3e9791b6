// Playing and recording through the sound device: what Play writes and plays, Stop, Rewind and
// Forward, the three recordings merged when they stop, the recorded file's reader, the mark keys
// and a missing device. The device is a stand-in that remembers its commands; the real one is
// tested against a sound server in the platform tests.
#include <gtest/gtest.h>

#include "../formats/WavBytes.h"
#include "formats/RecordedFile.h"
#include "formats/WavReader.h"

namespace sono::test {
namespace {

using namespace std::string_literals;

class Transport : public EditorFixture {
  protected:
    bool playsSound() const override { return true; }
    std::string temp(int n) const {
        return (dir / "temp" / ("sonoplexer " + std::to_string(n) + "$.tmp")).string();
    }
};

TEST_F(Transport, PlayPlaysTheSoundOrTheSelectionFromMemory) {
    editor->playback().play(); // no sound: nothing
    EXPECT_TRUE(device.commands.empty());

    // An odd sound plays as it is: no frame is added, no file written, nothing saved.
    load(ramp(88199), {}, 16, 44100);
    editor->status().setPanel(1, "before");
    editor->playback().play();
    // Stop first, then the sound: stopped and closed again, opened and played.
    EXPECT_EQ(device.commands, (std::vector<std::string>{"stop", "close", "stop", "close",
                                                         "open sound 0 88199", "play"}));
    EXPECT_EQ(device.playedLeft, ramp(88199));
    EXPECT_EQ(doc().SampleCount, 88199);
    EXPECT_EQ(editor->transport().playing().startMs, 0);
    EXPECT_EQ(editor->transport().playing().toFrame, 88198);
    EXPECT_FALSE(doc().Changed);
    EXPECT_EQ(editor->status().panel(1), "before");
    EXPECT_TRUE(std::filesystem::is_empty(dir / "temp"));

    // A selection made right to left is put the right way; the cursor counts from its start.
    load(ramp(88200), ramp(88200, 7), 16, 44100);
    doc().selection = {66150, 44100, 1};
    device.commands.clear();
    editor->playback().play();
    EXPECT_EQ(device.commands.at(4), "open sound 44100 22050");
    EXPECT_EQ(editor->transport().playing().startMs, 1000);
    EXPECT_EQ(editor->transport().playing().fromFrame, 44100);
    EXPECT_EQ(editor->transport().playing().toFrame, 66150);
    EXPECT_EQ(device.playedLeft, ramp(22050, 44100));
    EXPECT_EQ(device.playedRight, ramp(22050, 44107));

    // Rewind and Forward move a second and stay inside the file.
    device.commands.clear();
    device.lengthMs = 5000;
    device.positionMs = 400;
    editor->transport().rewind();
    device.positionMs = 4500;
    editor->transport().fastForward();
    EXPECT_EQ(device.commands, (std::vector<std::string>{"seek 0", "play", "seek 4999", "play"}));
    device.positionMs = 5000; // at the end: nothing plays
    device.commands.clear();
    editor->transport().fastForward();
    EXPECT_TRUE(device.commands.empty());
}

TEST_F(Transport, AChangePlaysWhenTheOptionAsksAndAMissingDeviceIsSaid) {
    load(ramp(1000));
    select(10, 19);
    editor->edits().mute();
    EXPECT_EQ(device.commands.back(), "play");
    editor->preferences().toggleOption(&Options::listenAfterChange); // off
    device.commands.clear();
    editor->edits().mute();
    EXPECT_EQ(device.commands, (std::vector<std::string>{"stop", "close"}));

    device.opens = false;
    editor->playback().play();
    editor->playback().play();
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, "The sound cannot be played: there is no sound output, or it "
                                     "does not take this format.");
    editor->preferences().toggleOption(
        &Options::listenAfterChange); // on: the plays after changes do not say it again
    editor->effects().reverse();
    editor->effects().reverse();
    EXPECT_EQ(host.messages.size(), 2u);
    editor->playback().record();
    EXPECT_EQ(host.messages.back().text, "Nothing can be recorded: there is no sound input, or it "
                                         "does not take this format.");
    EXPECT_FALSE(editor->transport().recording());
}

TEST_F(Transport, RecordingsAreMergedWhenTheyStop) {
    load(ramp(100, 1), {}, 16, 11025);
    editor->preferences().toggleOption(&Options::listenAfterChange);
    editor->playback().record();
    EXPECT_TRUE(editor->transport().recording());
    EXPECT_EQ(device.commands, (std::vector<std::string>{"stop", "close", "format 11025 1",
                                                         "open record " + temp(0), "record"}));
    EXPECT_TRUE(editor->enabled(EnabledRule::SoundPlaying)); // Stop ends it
    EXPECT_FALSE(editor->enabled(EnabledRule::SoundSeekable));
    // Four stereo frames (a, -a): averaged, 0.
    device.recordedBytes = riff(fmtChunk(2, 11025, 16) +
                                chunk("data", le16({1000, -1000, 2000, -2000, 300, -300, 4, -4})));
    device.commands.clear();
    editor->playback().stop();
    EXPECT_EQ(device.commands, (std::vector<std::string>{"stop", "save", "close"}));
    EXPECT_FALSE(editor->transport().recording());
    // Without a selection a plain recording replaces the last frame: 99 + 4 frames.
    EXPECT_EQ(doc().SampleCount, 103);
    EXPECT_EQ(left(96, 7), Samples({97, 98, 99, 0, 0, 0, 0}));
    EXPECT_EQ(host.statusLog.back(), "The sound has been recorded.");
    EXPECT_FALSE(doc().hasSelection());
    EXPECT_EQ(doc().UndoLevel, 1);

    // Mixed in without a selection: added onto the start.
    load(Samples(100, 5), {}, 16, 11025);
    device.recordedBytes = riff(fmtChunk(1, 11025, 16) + chunk("data", le16({10, 20, 30})));
    editor->playback().recordMixed();
    editor->playback().stop();
    EXPECT_EQ(left(0, 4), Samples({15, 25, 35, 5}));
    EXPECT_EQ(doc().SampleCount, 100);

    // Fading in over a selection: the sound fades out while the recording fades in.
    load(Samples(100, 400), {}, 16, 11025);
    select(10, 13);
    device.recordedBytes = riff(fmtChunk(1, 11025, 16) + chunk("data", le16({0, 0, 0, 0})));
    editor->playback().recordFading();
    editor->playback().stop();
    EXPECT_EQ(left(10, 4), Samples({400, 300, 200, 100}));

    // A recording that is no readable file: nothing merged, but the undo level stays.
    load(ramp(100));
    device.recordedBytes = "not a sound";
    editor->playback().record();
    editor->playback().stop();
    EXPECT_EQ(host.statusLog.back(), "Recording failed.");
    EXPECT_EQ(host.lastCritical(), "An error has occured while recording.");
    EXPECT_EQ(left(), ramp(100));
    EXPECT_EQ(doc().UndoLevel, 1);
}

TEST_F(Transport, TheRecordedFileIsReadChunkByChunk) {
    auto read = [&](const std::string& bytes) {
        writeBytes(path("rec.wav"), bytes);
        return readRecordedFile(path("rec.wav"));
    };
    // A format chunk of 18 bytes: its two extra bytes are skipped before the data.
    std::string fmt18 = fmtChunk(1, 8000, 16);
    fmt18[4] = 18;
    fmt18 += "\x7f\x7f";
    auto sound = read(riff(fmt18 + chunk("junk", "abcd") + chunk("data", le16({7, -7}))));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->a, Samples({7, -7}));
    EXPECT_EQ(sound->rate, 8000);

    // A data chunk that claims more than the file holds gives the whole frames that are there,
    // split by channel, and so does the placeholder size of a recording whose header was never
    // finished.
    sound = read(riff(fmtChunk(2, 8000, 8) + rawChunk("data", 100, "\x81\x02\x83\x04\x05")));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->a, Samples({0x81, 0x83}));
    EXPECT_EQ(sound->b, Samples({2, 4}));
    sound = read(riff(fmtChunk(1, 8000, 16) + rawChunk("data", 0xFFFFFFFFu, le16({5, -6}))));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->a, Samples({5, -6}));

    // Only the first data chunk counts, read by the format chunk before it.
    sound = read(riff(fmtChunk(2, 8000, 8) + chunk("data", "\x01\x02") + fmtChunk(1, 8000, 16) +
                      chunk("data", le16({9, 9, 9}))));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->channels, 2);
    EXPECT_EQ(sound->bits, 8);
    EXPECT_EQ(sound->a, Samples({1}));
    EXPECT_EQ(sound->b, Samples({2}));

    EXPECT_FALSE(read("RIFX" + riff(fmtChunk(1, 8000, 16) + chunk("data", le16({1}))).substr(4)));
    EXPECT_FALSE(read(riff(fmtChunk(1, 8000, 16, 3) + chunk("data", le16({1})))));
    EXPECT_FALSE(read(riff(fmtChunk(1, 8000, 12) + chunk("data", le16({1})))));
    EXPECT_FALSE(read(riff(fmtChunk(1, 8000, 16))));
}

TEST_F(Transport, TheMarkKeysTakeThePlayPosition) {
    load(ramp(44100), ramp(44100), 16, 44100);
    editor->playback().markAtPlayPosition(true); // nothing plays
    EXPECT_FALSE(doc().hasSelection());
    select(0, 99, 1, false);
    editor->view().selectNothing();
    editor->playback().play(); // the whole sound: the play position is the frame
    device.lengthMs = 1000;
    device.positionMs = 250;
    editor->playback().markAtPlayPosition(false); // end at the play position, start at 0
    EXPECT_EQ(doc().selection.SelStart, 0);
    EXPECT_EQ(doc().selection.SelEnd, 11026); // 11025 rounded up to even
    EXPECT_TRUE(editor->options().bothChannels);
    device.positionMs = 500;
    editor->playback().markAtPlayPosition(true); // past the end: the end moves to the last frame
    EXPECT_EQ(doc().selection.SelStart, 22050);
    EXPECT_EQ(doc().selection.SelEnd, 44099);

    // While a selection plays, the device counts from the selection's start, which lies nearly
    // half a millisecond past a whole one: 22072 + 4410, then 22072 + 11025 (up to even).
    select(22072, 30000);
    editor->playback().play();
    device.positionMs = 100;
    editor->playback().markAtPlayPosition(true);
    EXPECT_EQ(doc().selection.SelStart, 26482);
    EXPECT_EQ(doc().selection.SelEnd, 30000);
    device.positionMs = 250;
    editor->playback().markAtPlayPosition(false);
    EXPECT_EQ(doc().selection.SelEnd, 33098);
}

} // namespace
} // namespace sono::test
