// The Morse message: the code, the units with the running length rounded after each,
// the tone whose phase runs on through the whole sound, the characters it skips, and what
// `makeMorse` leaves in the document.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "EditorFixture.h"
#include "generators/Morse.h"

namespace sono::test {
namespace {

TEST(MorseCodeTest, LettersDigitsAndSignsInInternationalMorse) {
    EXPECT_EQ(morseCode(U's'), "...");
    EXPECT_EQ(morseCode(U'O'), "---");
    EXPECT_EQ(morseCode(U'q'), "--.-");
    EXPECT_EQ(morseCode(U'0'), "-----");
    EXPECT_EQ(morseCode(U'7'), "--...");
    EXPECT_EQ(morseCode(U','), "--..--");
    EXPECT_EQ(morseCode(U'.'), ".-.-.-");
    EXPECT_EQ(morseCode(U'('), "-.--.");
    EXPECT_EQ(morseCode(U')'), "-.--.-");
    EXPECT_EQ(morseCode(U':'), "---...");
    for (char32_t c : {U' ', U'#', U'?', U'é', U'\0'})
        EXPECT_EQ(morseCode(c), std::nullopt);
    for (char32_t c = U'a'; c <= U'z'; ++c)
        EXPECT_EQ(morseCode(c), morseCode(c - U'a' + U'A'));
}

TEST(MorseKeyerTest, UnitsRoundTheRunningLengthAndTheTonesPhaseRunsOn) {
    // 75 ms at 11025 Hz: U = 826.875, and each unit adds round(826.875) = 827 frames.
    MorseKeyer keyer(11025, 16, 75);
    EXPECT_EQ(keyer.unitFrames(), 826.875);
    ASSERT_EQ(keyer.samples().size(), 1u);
    keyer.append(3, true);
    keyer.append(1, false);
    keyer.append(1, true);
    keyer.append(3, false);
    const auto& s = keyer.samples();
    ASSERT_EQ(s.size(), 1u + 8 * 827);
    for (size_t k = 0; k < s.size(); ++k) {
        const bool tone = (k >= 2482 && k < 3309) || k >= 4136;
        const double t =
            std::nearbyint(std::sin(2 * std::numbers::pi * double(k) * 1000 / 11025) * 128);
        ASSERT_EQ(s[k], tone ? int16_t(std::clamp(t * 256, -32766.0, 32767.0)) : 0) << k;
    }
    // A unit that is not a whole number of frames: 10 ms at 22050 Hz is 220.5 frames, and the
    // rounded length goes 1, 222, 442, 662, ... (round half to even), every frame written once.
    MorseKeyer half(22050, 8, 10);
    half.append(3, true);
    EXPECT_EQ(half.samples().size(), 662u);
    EXPECT_TRUE(std::all_of(half.samples().begin(), half.samples().end(),
                            [](int16_t v) { return v == 128; }));
}

TEST(MorseKeyerTest, TheToneReachesFullScaleClipped) {
    MorseKeyer eight(44100, 8, 200);
    eight.append(1, false);
    EXPECT_EQ(*std::max_element(eight.samples().begin(), eight.samples().end()), 255);
    EXPECT_EQ(*std::min_element(eight.samples().begin(), eight.samples().end()), 0);
    MorseKeyer sixteen(44100, 16, 200);
    sixteen.append(1, false);
    EXPECT_EQ(*std::max_element(sixteen.samples().begin(), sixteen.samples().end()), 32767);
    EXPECT_EQ(*std::min_element(sixteen.samples().begin(), sixteen.samples().end()), -32766);
}

TEST(MorseTextTest, Utf8TextIsSplitIntoCharacters) {
    const auto chars = textCharacters("aé€\xff");
    ASSERT_EQ(chars.size(), 4u);
    EXPECT_EQ(chars[0].code, U'a');
    EXPECT_EQ(chars[1].code, U'é');
    EXPECT_EQ(chars[1].bytes, "é");
    EXPECT_EQ(chars[2].code, U'€');
    EXPECT_EQ(chars[3].bytes, "\xff");
}

class MorseEditorTest : public EditorFixture {
  protected:
    void SetUp() override {
        EditorFixture::SetUp();
        editor->preferences().switchToEnglish();
        host.statusLog.clear();
    }
    void make(const std::string& text, int ms = 75, int rate = 11025, int bits = 8,
              bool info = true) {
        editor->generators().makeMorse({text, ms, rate, bits, info});
    }
    // Frames from `from` on up to the first that is not silence.
    int silentRun(int from) {
        const int16_t silence = doc().silenceValue();
        int k = from;
        while (k < doc().SampleCount && left()[size_t(k)] == silence)
            ++k;
        return k - from;
    }
};

// The frame count, format and panels of a message are in generators.sb.
TEST_F(MorseEditorTest, SosAt75MillisecondsIsAnUntitledSoundWithItsText) {
    make("SOS");
    EXPECT_EQ(doc().FileName, "*");
    EXPECT_TRUE(doc().Changed); // in no file yet
    EXPECT_EQ(doc().UndoLevel, 0);
    EXPECT_EQ(editor->status().caption(), "No Title - Sonoplexer");
    // One frame of silence, then 3 units of silence before the first s.
    EXPECT_EQ(silentRun(0), 1 + 3 * 827 + silentRun(1 + 3 * 827));
    EXPECT_EQ(silentRun(0), 2482);
    EXPECT_EQ(*doc().Info.find("ISBJ"), "SOS");
    EXPECT_EQ(*doc().Info.find("ISRF"), "Morse");
    EXPECT_EQ(*doc().Info.find("ISFT"), "Sonoplexer 1.6");
    EXPECT_FALSE(doc().Info.find("ICRD")->empty());
}

TEST_F(MorseEditorTest, UpperAndLowerCaseSoundTheSame) {
    make("e");
    const Samples lower = left();
    EXPECT_EQ(doc().SampleCount, 1 + 4 * 827);
    make("E");
    EXPECT_EQ(left(), lower);
    // Two words are 6 units apart: the space's 3 and the next character's 3.
    make("e e");
    EXPECT_EQ(doc().SampleCount, 1 + 4 * 827 + 3 + 4 * 827 - 3 + 3 * 827);
}

TEST_F(MorseEditorTest, UnknownCharactersAreSkippedWithAMessageAndKeepTheirGap) {
    make("a#b", 75, 11025, 16, false);
    EXPECT_EQ(host.messages.size(), 1u); // its text: generators.sb
    // a is .- : its dash ends 1 + 3 + 5 units in; 6 units of silence follow before b's dash.
    const int aEnds = 1 + 8 * 827;
    EXPECT_NE(left(aEnds - 10, 10), Samples(10, 0));
    EXPECT_EQ(silentRun(aEnds), 6 * 827);
    EXPECT_EQ(doc().SampleCount, 1 + 23 * 827);
    EXPECT_TRUE(doc().Info.find("ISBJ")->empty()); // noinfo
    EXPECT_EQ(*doc().Info.find("ISRF"), "Morse");
}

TEST_F(MorseEditorTest, AChangedSoundIsOfferedForSavingAndAnEmptyTextIsRefused) {
    load(ramp(500));
    ASSERT_TRUE(editor->history().push());
    host.answers = {Answer::Cancel};
    make("SOS");
    EXPECT_EQ(doc().SampleCount, 500);
    EXPECT_EQ(host.questions.size(), 1u);
    // An empty text is refused with a message (generators.sb); a blank is a text.
    EXPECT_FALSE(editor->generators().morseTextAccepted(""));
    EXPECT_TRUE(editor->generators().morseTextAccepted(" "));
}

} // namespace
} // namespace sono::test
