// The Morse message: the code, the units with the running length rounded after each,
// the tone whose phase runs on through the whole sound, the characters it skips, and what
// `makeMorse` leaves in the document.
#include <gtest/gtest.h>

#include "EditorFixture.h"
#include "generators/Morse.h"

namespace sono::test {
namespace {

TEST(MorseCodeTest, LettersDigitsAndSignsInInternationalMorse) {
    const std::pair<char32_t, const char*> codes[] = {
        {U's', "..."},    {U'O', "---"},    {U'q', "--.-"},  {U'0', "-----"},  {U'7', "--..."},
        {U',', "--..--"}, {U'.', ".-.-.-"}, {U'(', "-.--."}, {U')', "-.--.-"}, {U':', "---..."}};
    for (auto [c, code] : codes)
        EXPECT_EQ(morseCode(c), code) << char(c);
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
        ASSERT_EQ(s[k], tone ? morseToneSample(int64_t(k), 11025, false) : 0) << k;
    }
    // t = round(sin(2 pi k 1000 / 11025) x 128) times 256 from the start of the whole sound.
    EXPECT_EQ(Samples(s.begin() + 2482, s.begin() + 2486), Samples({23040, 32000, 30720, 19712}));
    // A unit that is not a whole number of frames: 10 ms at 22050 Hz is 220.5 frames, and the
    // rounded length goes 1, 222, 442, 662, ... (round half to even), every frame written once.
    MorseKeyer half(22050, 8, 10);
    half.append(3, true);
    EXPECT_EQ(half.samples(), std::vector<int16_t>(662, 128));

    // The tone reaches full scale, clipped.
    for (int bits : {8, 16}) {
        MorseKeyer full(44100, bits, 200);
        full.append(1, false);
        const auto [low, high] = std::ranges::minmax(full.samples());
        EXPECT_EQ(low, bits == 8 ? 0 : -32766);
        EXPECT_EQ(high, bits == 8 ? 255 : 32767);
    }
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

// The frame count, format, panels and first samples of a message, and the message about a
// character without a code, are in generators.sb.
TEST_F(MorseEditorTest, AMessageIsAnUntitledSoundWithItsTextAndItsGaps) {
    make("SOS");
    EXPECT_EQ(doc().FileName, "*");
    EXPECT_TRUE(doc().Changed); // in no file yet
    EXPECT_EQ(doc().UndoLevel, 0);
    EXPECT_EQ(*doc().Info.find("ISBJ"), "SOS");
    EXPECT_EQ(*doc().Info.find("ISRF"), "Morse");
    EXPECT_FALSE(doc().Info.find("ICRD")->empty());

    // Two words are 6 units apart: the space's 3 and the next character's 3.
    make("e e");
    EXPECT_EQ(doc().SampleCount, 1 + 4 * 827 + 3 + 4 * 827 - 3 + 3 * 827);

    // A character without a code is skipped and keeps its gap: a is .- , its dash ends 1 + 3 + 5
    // units in, and 6 units of silence follow before b's dash.
    make("a#b", 75, 11025, 16, false);
    const int aEnds = 1 + 8 * 827;
    EXPECT_NE(left(aEnds - 10, 10), Samples(10, 0));
    EXPECT_EQ(silentRun(aEnds), 6 * 827);
    EXPECT_TRUE(doc().Info.find("ISBJ")->empty()); // noinfo
    EXPECT_EQ(*doc().Info.find("ISRF"), "Morse");
    // An empty text is refused with a message (generators.sb); a blank is a text.
    EXPECT_FALSE(editor->generators().morseTextAccepted(""));
    EXPECT_TRUE(editor->generators().morseTextAccepted(" "));
}

} // namespace
} // namespace sono::test
