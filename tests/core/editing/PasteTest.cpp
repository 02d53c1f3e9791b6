// Paste, mixed paste and fading paste of the clip file, driven through the editor. Plain paste
// with and without a selection, and paste without a clip or a sound, are in editing.sb.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "EditingFixture.h"

namespace sono::test {
namespace {

class Paste : public EditingFixture {
  protected:
    // Pastes the clip over the single frame 10.
    void pasteAtTen(int view = 1, bool bothChannels = true) {
        select(10, 10, view, bothChannels);
        editor->edits().paste();
    }
};

TEST_F(Paste, MixAddsTheClipAndLimitsTheSumAndFadingCrossesOver) {
    load(cat({{10000, -10000}, Samples(198, 10000)}));
    writeClip(16, 22050, {30000, -30000, -20000, 5});
    editor->edits().pasteMixed(); // no selection: onto the start of the sound
    EXPECT_EQ(left(), cat({{32767, -32766, -10000, 10005}, Samples(196, 10000)}));

    // A clip longer than the selection lengthens the sound after the mixed stretch.
    load(cat({Samples(10, 100), {200, 20}, Samples(188, 100)}), {}, 8);
    writeClip(8, 22050, {200, 20, 100, 50, 60, 70});
    select(10, 12);
    editor->edits().pasteMixed();
    EXPECT_EQ(left(), cat({Samples(10, 100), {255, 0, 72, 50, 60, 70}, Samples(187, 100)}));

    // A clip shorter than the selection leaves the rest of it as it was.
    load(ramp(200));
    writeClip(16, 22050, {1000, 1000});
    select(10, 20);
    editor->edits().pasteMixed();
    EXPECT_EQ(left(), cat({ramp(10), {1010, 1011}, ramp(188, 12)}));

    // A fading paste crosses over from the sound to the clip.
    load(ramp(200));
    writeClip(16, 22050, Samples(10, 4001));
    select(20, 23); // four frames, as a selection made by other means than dragging can be
    editor->edits().pasteFading();
    // Clip weight i/4, sound weight (4 - i)/4, halves rounded to even.
    EXPECT_EQ(left(), cat({ramp(20), {20, 1016, 2012, 3006}, Samples(6, 4001), ramp(176, 24)}));
}

TEST_F(Paste, TheClipTakesTheRateWidthAndChannelsOfTheSound) {
    // 44100 Hz into 22050 Hz: every second sample, round(n / 2 - 1) frames.
    load(ramp(300));
    writeClip(16, 44100, ramp(200, 1000));
    pasteAtTen();
    EXPECT_EQ(doc().SampleCount, 300 - 1 + 99);
    for (int i = 0; i < 99; ++i)
        ASSERT_EQ(left()[10 + i], 1000 + 2 * i) << i;
    EXPECT_EQ(left(109, 1), Samples{11});
    // 11025 Hz into 22050 Hz: nearest sample, halves to even.
    load(ramp(300));
    writeClip(16, 11025, {0, 1, 2, 3});
    pasteAtTen();
    EXPECT_EQ(left(10, 8), Samples({0, 0, 1, 2, 2, 2, 3, 11}));

    // 8 bits into 16 and back, limited.
    load(ramp(200));
    writeClip(8, 22050, {0, 1, 128, 255});
    pasteAtTen();
    EXPECT_EQ(left(10, 4), Samples({-32766, -32512, 0, 32512}));
    load(Samples(200, 128), {}, 8);
    writeClip(16, 22050, {-1, 32767, -32768, -257, 256});
    pasteAtTen();
    EXPECT_EQ(left(10, 5), Samples({128, 255, 0, 127, 129}));

    // Stereo into mono: the rounded average.
    load(ramp(200));
    writeClip(16, 22050, {1, 3, 30000}, {2, 2, 20000});
    pasteAtTen();
    EXPECT_EQ(left(10, 3), Samples({2, 2, 25000}));
    // Stereo into one channel of a stereo sound: the average, in that channel only.
    load(ramp(200), ramp(200, 500));
    select(10, 12, 2, false);
    editor->edits().paste();
    EXPECT_EQ(left(), ramp(200));
    EXPECT_EQ(right(9, 5), Samples({509, 2, 2, 25000, 513}));
    // Mono into both channels of a stereo sound.
    load(ramp(200), ramp(200, 500));
    writeClip(16, 22050, {7, 8});
    select(10, 12);
    editor->edits().paste();
    EXPECT_EQ(left(9, 4), Samples({9, 7, 8, 13}));
    EXPECT_EQ(right(9, 4), Samples({509, 7, 8, 513}));
    EXPECT_EQ(doc().SampleCount, 199);
}

TEST_F(Paste, IntoOneChannelOrBothOfAStereoSound) {
    // A channel made longer than the other: they are made equal with silence.
    load(ramp(200, 1), ramp(200, 1), 8);
    writeClip(8, 22050, Samples(20, 77));
    select(190, 192, 2, false);
    editor->edits().paste();
    EXPECT_EQ(doc().SampleCount, 217);
    EXPECT_EQ(right(), cat({ramp(190, 1), Samples(20, 77), ramp(7, 194)}));
    EXPECT_EQ(left(), cat({ramp(200, 1), Samples(17, 128)}));
    EXPECT_FALSE(editor->options().bothChannels);

    // A clip shorter than the selection shortens the channel; the other keeps its frames and the
    // shortened one ends in silence.
    load(ramp(200, 1), ramp(200, 1), 8);
    writeClip(8, 22050, {77});
    select(0, 10, 1, false);
    editor->edits().paste();
    EXPECT_EQ(doc().SampleCount, 200);
    EXPECT_EQ(left(), cat({{77}, ramp(189, 12), Samples(10, 128)}));
    EXPECT_EQ(right(), ramp(200, 1));

    // Pasting everywhere into a stereo sound turns the both-channels option on.
    load(ramp(200), ramp(200));
    writeClip(16, 22050, {5});
    setBoth(false);
    editor->edits().paste();
    EXPECT_TRUE(editor->options().bothChannels);
    EXPECT_EQ(left(199, 1), Samples{5});
    EXPECT_EQ(right(199, 1), Samples{5});
}

// The clip file is every editor's: one window's copy pastes in another.
TEST_F(Paste, AClipCopiedByOneEditorPastesInAnother) {
    load(ramp(200, 40), ramp(200, 90), 8, 11025);
    select(10, 12);
    editor->edits().copy();
    FakeHost otherHost;
    FakeWaveDevice otherDevice;
    Editor other(EditorPorts{otherHost, otherHost, otherDevice, coder, tags},
                 EditorFolders{dir / "other-settings", dir / "temp", dir.string() + "/", false});
    other.newEmptySound(); // 100 frames of 16-bit mono silence at 22050 Hz
    other.doc().selection.SelStart = other.doc().selection.SelEnd = 50;
    ASSERT_TRUE(other.enabled(EnabledRule::ClipAvailable));
    other.edits().paste();
    // Three stereo 8-bit frames at 11025 Hz, averaged, widened and doubled, the nearest-sample
    // rule's last frame dropped: 50, 51 and 52 with 100, 101 and 102 make 75, 76 and 77.
    const int16_t a = (75 - 128) * 256, b = (76 - 128) * 256, c = (77 - 128) * 256;
    EXPECT_EQ(Samples(other.doc().LeftSamples.begin() + 49, other.doc().LeftSamples.begin() + 56),
              Samples({0, a, a, b, c, c, 0}));
}

TEST_F(Paste, ABrokenClipTakesTheFailurePath) {
    auto clipOf = [](int32_t frames, int32_t bits, int32_t rate) {
        return clipHeader(frames, bits, rate) + block(1, {1, 2, 3}) + End;
    };
    const std::string good = clipOf(3, 16, 22050);
    std::vector<std::pair<std::string, std::string>> broken = {
        {"first tag 0", clipHeader(3, 16, 22050) + block(0, {1, 2, 3}) + End},
        {"wrong magic", "\xA9\xAE\x2A\x27" + good.substr(4)},
        {"closing tag not 0", good.substr(0, good.size() - 2) + "\0\1"},
        {"stereo clip without its closing zero",
         clipHeader(1, 16, 22050) + block(1, {1}) + block(2, {2})},
        {"bits 12", clipOf(3, 12, 22050)},
        {"bits 0", clipOf(3, 0, 22050)},
        {"rate 0", clipOf(3, 16, 0)},
        {"rate negative", clipOf(3, 16, -22050)},
        {"no frames", clipHeader(0, 16, 22050) + block(1, {}) + End},
        {"negative count", clipOf(-5, 16, 22050)},
        {"count beyond the file", clipOf(0x7fffffff, 16, 22050)},
    };
    for (size_t length = 0; length < good.size(); ++length)
        broken.push_back({"cut off at " + std::to_string(length), good.substr(0, length)});

    load(ramp(200));
    select(10, 20);
    int16_t level = 0;
    for (const auto& [why, bytes] : broken) {
        SCOPED_TRACE(why);
        writeBytes(clipFile(), bytes);
        host.messages.clear();
        editor->edits().paste();
        EXPECT_EQ(left(), ramp(200));
        EXPECT_EQ(doc().selection.SelStart, 10);
        EXPECT_EQ(doc().selection.SelEnd, 20);
        // The undo level taken before the clip was read stays, holding the same sound.
        EXPECT_EQ(doc().UndoLevel, ++level);
        EXPECT_EQ(host.lastCritical(), "Due to an error, you cannot paste.");
    }
    host.messages.clear();
    editor->edits().pasteMixed(); // which reads the clip as paste does
    EXPECT_EQ(host.lastCritical(), "Due to an error, you cannot paste.");

    writeBytes(clipFile(), good);
    editor->edits().paste();
    EXPECT_EQ(left(9, 5), Samples({9, 1, 2, 3, 21}));
}

// Every combination of formats, lengths, rates, selections and modes keeps the document sound:
// arrays as long as the count, 8-bit samples inside 0..255. Run under the sanitizers this also
// shows that nothing reads or writes outside an array.
TEST_F(Paste, AnyClipIntoAnySoundKeepsTheDocumentWhole) {
    std::mt19937 random(7);
    auto pick = [&](std::initializer_list<int> values) {
        return *(values.begin() + random() % values.size());
    };
    void (EditCommands::*const pastes[])() = {&EditCommands::paste, &EditCommands::pasteMixed,
                                              &EditCommands::pasteFading};
    for (int round = 0; round < 400; ++round) {
        const int soundBits = pick({8, 16}), clipBits = pick({8, 16});
        const int soundFrames = pick({1, 2, 3, 150}), clipFrames = pick({1, 2, 5, 40});
        const bool soundStereo = pick({0, 1}), clipStereo = pick({0, 1});
        const int soundRate = pick({2500, 22050, 100000}),
                  clipRate = pick({7, 2500, 44100, 100000});
        SCOPED_TRACE("round " + std::to_string(round));
        Samples sound(size_t(soundFrames), int16_t(soundBits == 8 ? 200 : -20000));
        load(sound, soundStereo ? sound : Samples{}, float(soundBits), float(soundRate));
        Samples clip(size_t(clipFrames), int16_t(clipBits == 8 ? 255 : 32767));
        writeClip(clipBits, clipRate, clip, clipStereo ? clip : Samples{});
        setBoth(pick({0, 1}));
        // None, the first frame, the last frame, everything.
        const int last = soundFrames - 1;
        const std::pair<int, int> selections[] = {{-1, -1}, {0, 0}, {last, last}, {0, last}};
        std::tie(doc().selection.SelStart, doc().selection.SelEnd) = selections[pick({0, 1, 2, 3})];
        doc().selection.SelChannel = pick({1, 2});
        (editor->edits().*pastes[pick({0, 1, 2})])();
        ASSERT_EQ(doc().UndoLevel, 1);
        ASSERT_GE(doc().SampleCount, 100);
        ASSERT_EQ(left().size(), size_t(doc().SampleCount));
        ASSERT_EQ(right().size(), soundStereo ? size_t(doc().SampleCount) : 1u);
        ASSERT_TRUE(soundBits == 16 ||
                    std::ranges::all_of(left(), [](int16_t s) { return s >= 0 && s <= 255; }));
        ASSERT_LE(doc().selection.SelEnd, doc().SampleCount - 1);
    }
}

} // namespace
} // namespace sono::test
