// Paste, mixed paste and fading paste of the clip file, driven through the editor.
#include <gtest/gtest.h>

#include <random>

#include "EditingFixture.h"

namespace sono::test {
namespace {

using Paste = EditingFixture;

TEST_F(Paste, WithoutASelectionTheClipReplacesTheLastFrame) {
    makeSound(ramp(1000));
    writeClip(16, 22050, ramp(200, 5000));
    editor->MMpaste();
    EXPECT_EQ(doc().SampleCount, 1199);
    EXPECT_EQ(left(0, 999), ramp(999));
    EXPECT_EQ(left(999, 200), ramp(200, 5000));
    EXPECT_EQ(doc().UndoLevel, 1);
    EXPECT_EQ(host.statusLog.back(), "Finished pasting.");
    EXPECT_EQ(editor->panel(3), "Time: 0.05");
    // The selection starts at the pasted frames (rounded up to even by the redraw).
    EXPECT_EQ(doc().SelStart, 1000);
    EXPECT_EQ(doc().SelEnd, 1198);

    // The clip is not used up; pasting over a selection replaces exactly that stretch.
    makeSound(ramp(300));
    select(100, 110);
    editor->MMned();
    editor->MMpaste();
    EXPECT_EQ(doc().SampleCount, 300 - 11 + 200);
    EXPECT_EQ(left(98, 3), Samples({98, 99, 5000}));
    EXPECT_EQ(left(299, 3), Samples({5199, 111, 112}));
    EXPECT_EQ(host.statusLog.back(), "Klaar met plakken.");
}

TEST_F(Paste, MixAddsTheClipAndLimitsTheSum) {
    makeSound(Samples(200, 10000));
    writeClip(16, 22050, {30000, -30000, -20000, 5});
    doc().LeftSamples[1] = -10000;
    editor->MMpasteMix(); // no selection: onto the start of the sound
    EXPECT_EQ(left(0, 5), Samples({32767, -32766, -10000, 10005, 10000}));
    EXPECT_EQ(doc().SampleCount, 200);

    // A clip longer than the selection lengthens the sound after the mixed stretch.
    makeSound(Samples(200, 100), {}, 8);
    writeClip(8, 22050, {200, 20, 100, 50, 60, 70});
    doc().LeftSamples[10] = 200;
    doc().LeftSamples[11] = 20;
    select(10, 12);
    editor->MMpasteMix();
    EXPECT_EQ(left(9, 8), Samples({100, 255, 0, 72, 50, 60, 70, 100}));
    EXPECT_EQ(doc().SampleCount, 203);

    // A clip shorter than the selection leaves the rest of it as it was.
    makeSound(ramp(200));
    writeClip(16, 22050, {1000, 1000});
    select(10, 20);
    editor->MMpasteMix();
    EXPECT_EQ(left(9, 5), Samples({9, 1010, 1011, 12, 13}));
    EXPECT_EQ(doc().SampleCount, 200);
}

TEST_F(Paste, FadingPasteCrossesOverTheSelection) {
    makeSound(ramp(200));
    writeClip(16, 22050, Samples(10, 4001));
    // A four-frame selection, as a selection made by other means than dragging can be.
    doc().SelStart = 20;
    doc().SelEnd = 23;
    editor->MMpasteOverloper();
    // Clip weight i/4, sound weight (4 - i)/4, halves rounded to even.
    EXPECT_EQ(left(19, 13),
              Samples({19, 20, 1016, 2012, 3006, 4001, 4001, 4001, 4001, 4001, 4001, 24, 25}));
    EXPECT_EQ(doc().SampleCount, 206);
}

TEST_F(Paste, TheClipTakesTheRateOfTheSound) {
    // 44100 Hz into 22050 Hz: every second sample, round(n / 2 - 1) frames.
    makeSound(ramp(300));
    writeClip(16, 44100, ramp(200, 1000));
    select(10, 10);
    editor->MMpaste();
    EXPECT_EQ(doc().SampleCount, 300 - 1 + 99);
    for (int i = 0; i < 99; ++i)
        ASSERT_EQ(doc().LeftSamples[10 + i], 1000 + 2 * i) << i;
    EXPECT_EQ(left(109, 1), Samples{11});

    // 11025 Hz into 22050 Hz: nearest sample, halves to even.
    makeSound(ramp(300));
    writeClip(16, 11025, {0, 1, 2, 3});
    select(10, 10);
    editor->MMpaste();
    EXPECT_EQ(left(10, 8), Samples({0, 0, 1, 2, 2, 2, 3, 11}));
}

TEST_F(Paste, TheClipTakesTheWidthOfTheSound) {
    makeSound(ramp(200));
    writeClip(8, 22050, {0, 1, 128, 255});
    select(10, 10);
    editor->MMpaste();
    EXPECT_EQ(left(10, 4), Samples({-32766, -32512, 0, 32512}));

    makeSound(Samples(200, 128), {}, 8);
    writeClip(16, 22050, {-1, 32767, -32768, -257, 256});
    select(10, 10);
    editor->MMpaste();
    EXPECT_EQ(left(10, 5), Samples({128, 255, 0, 127, 129}));
}

TEST_F(Paste, TheClipTakesTheChannelsOfTheTarget) {
    // Stereo into mono: the rounded average.
    makeSound(ramp(200));
    writeClip(16, 22050, {1, 3, 30000}, {2, 2, 20000});
    select(10, 10);
    editor->MMpaste();
    EXPECT_EQ(left(10, 3), Samples({2, 2, 25000}));

    // Stereo into one channel of a stereo sound: the average, in that channel only.
    makeSound(ramp(200), ramp(200, 500));
    setBoth(false);
    select(10, 12, 2);
    editor->MMpaste();
    EXPECT_EQ(doc().LeftSamples, ramp(200));
    EXPECT_EQ(right(9, 5), Samples({509, 2, 2, 25000, 513}));

    // Mono into both channels of a stereo sound.
    makeSound(ramp(200), ramp(200, 500));
    writeClip(16, 22050, {7, 8});
    setBoth(true);
    select(10, 12);
    editor->MMpaste();
    EXPECT_EQ(left(9, 4), Samples({9, 7, 8, 13}));
    EXPECT_EQ(right(9, 4), Samples({509, 7, 8, 513}));
    EXPECT_EQ(doc().SampleCount, 199);
}

TEST_F(Paste, OneChannelLongerThanTheOtherGetsThemEqualWithSilence) {
    makeSound(ramp(200, 1), ramp(200, 1), 8);
    writeClip(8, 22050, Samples(20, 77));
    setBoth(false);
    select(190, 192, 2);
    editor->MMpaste();
    EXPECT_EQ(doc().SampleCount, 217);
    EXPECT_EQ(right(189, 21), [] {
        Samples expected{190};
        expected.insert(expected.end(), 20, 77);
        return expected;
    }());
    EXPECT_EQ(right(210, 7), ramp(7, 194));
    EXPECT_EQ(left(0, 200), ramp(200, 1));
    EXPECT_EQ(left(200, 17), Samples(17, 128));
    EXPECT_FALSE(editor->options().bothChannels);

    // A clip shorter than the selection shortens the channel; the other keeps its frames and the
    // shortened one ends in silence.
    makeSound(ramp(200, 1), ramp(200, 1), 8);
    writeClip(8, 22050, {77});
    select(0, 10, 1);
    editor->MMpaste();
    EXPECT_EQ(doc().SampleCount, 200);
    EXPECT_EQ(left(0, 2), Samples({77, 12}));
    EXPECT_EQ(left(190, 10), Samples(10, 128));
    EXPECT_EQ(doc().RightSamples, ramp(200, 1));
}

TEST_F(Paste, PastingEverywhereIntoAStereoSoundTurnsTheBothChannelsOptionOn) {
    makeSound(ramp(200), ramp(200));
    setBoth(false);
    writeClip(16, 22050, {5});
    editor->MMpaste();
    EXPECT_TRUE(editor->options().bothChannels);
    EXPECT_EQ(left(199, 1), Samples{5});
    EXPECT_EQ(right(199, 1), Samples{5});
}

TEST_F(Paste, AClipCopiedByOneEditorPastesInAnother) {
    makeSound(ramp(200, 40), ramp(200, 90), 8, 11025);
    select(10, 12);
    editor->MMcopy();

    FakeHost otherHost;
    Editor other(otherHost,
                 EditorFolders{dir / "other-settings", tempDir(), dir.string() + "/", false});
    other.MMleeg(); // 100 frames of 16-bit mono silence at 22050 Hz
    other.doc().SelStart = 50;
    other.doc().SelEnd = 50;
    ASSERT_TRUE(other.pasteEnabled());
    other.MMpaste();
    // Stereo 8-bit 11025 Hz became mono 16-bit 22050 Hz: averaged, widened, each frame doubled
    // (five frames from three, the last frame of the nearest-sample rule dropped).
    // Channel 1 holds 50, 51, 52 and channel 2 100, 101, 102 at the copied frames.
    const int16_t a = int16_t((75 - 128) * 256), b = int16_t((76 - 128) * 256),
                  c = int16_t((77 - 128) * 256);
    EXPECT_EQ(Samples(other.doc().LeftSamples.begin() + 49, other.doc().LeftSamples.begin() + 56),
              Samples({0, a, a, b, c, c, 0}));
    EXPECT_EQ(other.doc().SampleCount, 104);
}

TEST_F(Paste, ABrokenClipTakesTheFailurePath) {
    const std::string good = clipHeader(3, 16, 22050) + block(1, {1, 2, 3}) + End;
    std::vector<std::pair<std::string, std::string>> broken = {
        {"first tag 0", clipHeader(3, 16, 22050) + block(0, {1, 2, 3}) + End},
        {"wrong magic", "\xA9\xAE\x2A\x27" + good.substr(4)},
        {"closing tag not 0", clipHeader(3, 16, 22050) + block(1, {1, 2, 3}) + "\0\1"},
        {"stereo clip without its closing zero",
         clipHeader(1, 16, 22050) + block(1, {1}) + block(2, {2})},
        {"bits 12", clipHeader(3, 12, 22050) + block(1, {1, 2, 3}) + End},
        {"bits 0", clipHeader(3, 0, 22050) + block(1, {1, 2, 3}) + End},
        {"rate 0", clipHeader(3, 16, 0) + block(1, {1, 2, 3}) + End},
        {"rate negative", clipHeader(3, 16, -22050) + block(1, {1, 2, 3}) + End},
        {"no frames", clipHeader(0, 16, 22050) + block(1, {}) + End},
        {"negative count", clipHeader(-5, 16, 22050) + block(1, {1, 2, 3}) + End},
        {"count beyond the file", clipHeader(0x7fffffff, 16, 22050) + block(1, {1, 2, 3}) + End},
    };
    // Cut off anywhere.
    for (size_t length = 0; length < good.size(); ++length)
        broken.push_back({"cut off at " + std::to_string(length), good.substr(0, length)});

    makeSound(ramp(200));
    select(10, 20);
    int16_t level = 0;
    for (const auto& [why, bytes] : broken) {
        SCOPED_TRACE(why);
        writeBytes(clipFile(), bytes);
        host.messages.clear();
        editor->MMpaste();
        EXPECT_EQ(doc().LeftSamples, ramp(200));
        EXPECT_EQ(doc().SelStart, 10);
        EXPECT_EQ(doc().SelEnd, 20);
        // The undo level taken before the clip was read stays, holding the same sound.
        EXPECT_EQ(doc().UndoLevel, ++level);
        EXPECT_EQ(host.lastCritical(), "Due to an error, you cannot paste.");
        EXPECT_EQ(host.statusLog.back(), "Due to an error, you cannot paste.");
    }
    editor->MMned();
    editor->MMpasteMix();
    EXPECT_EQ(host.lastCritical(), "Vanwege een fout kunt u niet plakken.");
    EXPECT_EQ(host.messages.back().caption, "Sonoplexer");

    // The good clip pastes.
    writeBytes(clipFile(), good);
    editor->MMpaste();
    EXPECT_EQ(left(9, 5), Samples({9, 1, 2, 3, 21}));
}

TEST_F(Paste, NothingHappensWithoutAClipOrASound) {
    writeClip(16, 22050, {1});
    editor->MMpaste(); // no sound
    EXPECT_EQ(doc().UndoLevel, 0);
    EXPECT_FALSE(editor->pasteEnabled());
    makeSound(ramp(200));
    std::filesystem::remove(clipFile());
    editor->MMpaste();
    editor->MMpasteMix();
    editor->MMpasteOverloper();
    EXPECT_EQ(doc().UndoLevel, 0);
    EXPECT_EQ(doc().LeftSamples, ramp(200));
    EXPECT_TRUE(host.messages.empty());
}

// Every combination of formats, lengths, rates, selections and modes keeps the document sound:
// arrays as long as the count, 8-bit samples inside 0..255. Run under the sanitizers this also
// shows that nothing reads or writes outside an array.
TEST_F(Paste, AnyClipIntoAnySoundKeepsTheDocumentWhole) {
    std::mt19937 random(7);
    auto pick = [&](std::initializer_list<int> values) {
        return *(values.begin() + random() % values.size());
    };
    for (int round = 0; round < 400; ++round) {
        const int soundBits = pick({8, 16}), clipBits = pick({8, 16});
        const int soundFrames = pick({1, 2, 3, 150}), clipFrames = pick({1, 2, 5, 40});
        const bool soundStereo = pick({0, 1}), clipStereo = pick({0, 1});
        const int soundRate = pick({2500, 22050, 100000}),
                  clipRate = pick({7, 2500, 44100, 100000});
        SCOPED_TRACE("round " + std::to_string(round));
        Samples sound(size_t(soundFrames), int16_t(soundBits == 8 ? 200 : -20000));
        makeSound(sound, soundStereo ? sound : Samples{}, float(soundBits), float(soundRate));
        Samples clip(size_t(clipFrames), int16_t(clipBits == 8 ? 255 : 32767));
        writeClip(clipBits, clipRate, clip, clipStereo ? clip : Samples{});
        setBoth(pick({0, 1}));
        const int last = soundFrames - 1;
        switch (pick({0, 1, 2, 3})) {
        case 0:
            break; // no selection
        case 1:
            doc().SelStart = doc().SelEnd = 0;
            break;
        case 2:
            doc().SelStart = doc().SelEnd = float(last);
            break;
        case 3:
            doc().SelStart = 0, doc().SelEnd = float(last);
            break;
        }
        doc().SelChannel = pick({1, 2});
        switch (pick({0, 1, 2})) {
        case 0:
            editor->MMpaste();
            break;
        case 1:
            editor->MMpasteMix();
            break;
        case 2:
            editor->MMpasteOverloper();
            break;
        }
        ASSERT_EQ(doc().UndoLevel, 1);
        ASSERT_GE(doc().SampleCount, 100);
        ASSERT_EQ(doc().LeftSamples.size(), size_t(doc().SampleCount));
        if (soundStereo) ASSERT_EQ(doc().RightSamples.size(), size_t(doc().SampleCount));
        if (soundBits == 8)
            for (int16_t s : doc().LeftSamples)
                ASSERT_TRUE(s >= 0 && s <= 255);
        ASSERT_LE(doc().SelEnd, doc().SampleCount - 1);
    }
}

} // namespace
} // namespace sono::test
