// The synthesizer's arithmetic and files: the sound `writeSynthesizedSound` writes (scaling, the
// period's index, read by sox; its length is in generators.sb), the mends for a flat period and a
// tone above the rate, drawing, period files and their frequency codes and names, and the
// editor's Open, list, save and encoder with their messages.
#include <gtest/gtest.h>

#include <cmath>

#include "EditorFixture.h"
#include "formats/ByteFile.h"
#include "formats/WavBytes.h"
#include "generators/Synthesizer.h"

namespace sono::test {
namespace {

// A period with one bump: column 0 at the top (255), column 250 at the bottom (1), a ramp
// between, so that every column has a value of its own in each half.
Period ramp255() {
    Period period;
    for (int i = 0; i < PeriodColumns; ++i)
        period[size_t(i)] = int16_t(i < 250 ? 255 - i * 254 / 249 : 1 + (i - 250) * 254 / 249);
    return period;
}

SynthSettings settingsWith(const Period& period, int frequency, int volume, int ms, int rate,
                           int bits) {
    SynthSettings s;
    s.period = period;
    s.frequency = frequency;
    s.volume = volume;
    s.durationMs = ms;
    s.rate = rate;
    s.bits = bits;
    return s;
}

uint32_t le32At(const std::string& bytes, size_t at) {
    return readLE32(reinterpret_cast<const uint8_t*>(bytes.data() + at));
}

// ---------------------------------------------------------------- the sound

TEST(SynthesisTest, FullVolumeScalesThePeakTo127Or32512) {
    // Peak: the top 255 is 127 above the zero line, the bottom 1 is 127 below it.
    const auto eight = synthesizeSamples(settingsWith(ramp255(), 100, 100, 100, 11025, 8));
    EXPECT_EQ(eight[0], 255);
    EXPECT_EQ(*std::min_element(eight.begin(), eight.end()), 1);
    const auto sixteen = synthesizeSamples(settingsWith(ramp255(), 100, 100, 100, 11025, 16));
    EXPECT_EQ(sixteen[0], 32512);
    EXPECT_EQ(*std::min_element(sixteen.begin(), sixteen.end()), -32512);
    // Half volume: 63.5 × (p − 128) / 127, rounded half to even.
    const auto half = synthesizeSamples(settingsWith(ramp255(), 100, 50, 100, 11025, 8));
    EXPECT_EQ(half[0], 192);
}

TEST(SynthesisTest, FrameKTakesTheColumnOfItsPlaceInThePeriod) {
    // 44100 Hz at 100 Hz: a period is L = 441 frames, and frame k takes Period[(k mod 441) *
    // 500 \ 441].
    Period period;
    for (int i = 0; i < PeriodColumns; ++i)
        period[size_t(i)] = int16_t(i % 2 == 0 ? 128 + i / 4 : 128 - i / 4);
    const SynthSettings s = settingsWith(period, 100, 100, 50, 44100, 16);
    const auto samples = synthesizeSamples(s);
    ASSERT_EQ(samples.size(), 2205u);
    const int peak = 124; // column 499: 128 - 124
    for (int k : {0, 1, 2, 440, 441, 442, 1000, 2204}) {
        const int p = period[size_t((k % 441) * 500 / 441)];
        EXPECT_EQ(samples[size_t(k)],
                  int16_t(std::nearbyint(100.0 * 127 / 100 * 256 * (p - 128) / peak)))
            << "frame " << k;
    }
    EXPECT_EQ(samples[441], samples[0]);
}

TEST(SynthesisTest, MendsAFlatPeriodAndAToneAboveTheRateToSilence) {
    Period flat;
    flat.fill(128);
    for (int bits : {8, 16}) {
        const auto samples = synthesizeSamples(settingsWith(flat, 100, 100, 100, 11025, bits));
        ASSERT_EQ(samples.size(), 1102u);
        EXPECT_TRUE(std::all_of(samples.begin(), samples.end(),
                                [&](int16_t s) { return s == (bits == 8 ? 128 : 0); }));
    }
    // round(11025 / 30000) = 0 frames a period: silence, not a division by zero.
    const auto above = synthesizeSamples(settingsWith(ramp255(), 30000, 100, 100, 11025, 8));
    EXPECT_TRUE(std::all_of(above.begin(), above.end(), [](int16_t s) { return s == 128; }));
    // A flat line off the zero line still has a peak: it is a constant at full scale.
    Period high;
    high.fill(200);
    EXPECT_EQ(synthesizeSamples(settingsWith(high, 100, 100, 10, 11025, 8))[0], 255);
}

TEST(SynthesisTest, SoxReadsTheSynthesizedFileAsWritten) {
    if (!haveSox()) GTEST_SKIP() << "no sox";
    const auto file = privateTempPath("sonotest-synth.wav");
    for (int bits : {8, 16}) {
        const std::string wave =
            synthesizedWave(settingsWith(ramp255(), 440, 80, 250, 22050, bits));
        writeBytes(file, wave);
        EXPECT_EQ(soxSamples(file, bits), wave.substr(44));
    }
    std::filesystem::remove(file);
}

// ---------------------------------------------------------------- drawing

TEST(PeriodDrawingTest, SmoothMovesFillTheSkippedColumnsByAStraightLine) {
    Period period;
    period.fill(128);
    int previous = drawPeriodMove(period, 10, 10, 55, true); // the press: 200 at column 10
    previous = drawPeriodMove(period, previous, 30, 155, true);
    EXPECT_EQ(previous, 30);
    EXPECT_EQ(period[10], 200);
    EXPECT_EQ(period[30], 100);
    EXPECT_EQ(period[20], 150);
    EXPECT_EQ(period[11], 195);
    // Backwards, and without smoothing only the column itself.
    previous = drawPeriodMove(period, previous, 20, 0, false);
    EXPECT_EQ(period[20], 255);
    EXPECT_EQ(period[25], 125);
    // Outside the area nothing happens; a pointer in the last half column rounds past it.
    const Period before = period;
    EXPECT_EQ(drawPeriodMove(period, 7, 500, 10, true), 7);
    EXPECT_EQ(drawPeriodMove(period, 7, 10, 256, true), 7);
    EXPECT_EQ(drawPeriodMove(period, 7, -1, 10, true), 7);
    EXPECT_EQ(drawPeriodMove(period, 7, 499.6, 10, true), 7);
    EXPECT_EQ(period, before);
    // The bottom half pixel would give -1; it is clipped to 0.
    drawPeriodMove(period, 3, 3, 255.7, false);
    EXPECT_EQ(period[3], 0);
}

// ---------------------------------------------------------------- period files

TEST(PeriodFileTest, AHundredPointsSpreadOverEveryFifthColumnWithLinesBetween) {
    Period period;
    period.fill(7); // what was drawn before
    std::vector<uint8_t> points(100);
    for (size_t i = 0; i < points.size(); ++i)
        points[i] = uint8_t(i % 2 == 0 ? 50 : 250);
    spreadPeriodPoints(period, points);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(period[size_t(5 * i)], points[size_t(i)]) << "column " << 5 * i;
    // Between 0 (50) and 5 (250): 90, 130, 170, 210.
    EXPECT_EQ(period[1], 90);
    EXPECT_EQ(period[2], 130);
    EXPECT_EQ(period[4], 210);
    // From 495 (250) on nothing reaches the columns: they keep their values.
    for (int column : {496, 497, 499})
        EXPECT_EQ(period[size_t(column)], 7);

    // 500 points or more: each point its column, nothing joined.
    std::vector<uint8_t> all(500);
    for (size_t i = 0; i < all.size(); ++i)
        all[i] = uint8_t(i % 256);
    spreadPeriodPoints(period, all);
    for (size_t i = 0; i < all.size(); ++i)
        ASSERT_EQ(period[i], all[i]);
}

TEST(PeriodFileTest, FrequencyCodesBothWays) {
    EXPECT_EQ(frequencyOfCode(10), 100);
    EXPECT_EQ(frequencyCode(100), 10);
    EXPECT_EQ(frequencyCode(1000), 1);
    EXPECT_EQ(frequencyCode(1001), 1001);
    EXPECT_EQ(frequencyOfCode(1500), 1500);
    // A code without a frequency leaves it alone; one beyond the scroll bar is kept within it.
    EXPECT_EQ(frequencyOfCode(0), std::nullopt);
    EXPECT_EQ(frequencyOfCode(200), 10); // round(1000 / 200) = 5 Hz
    EXPECT_EQ(frequencyOfCode(99999), 2500);
}

TEST(PeriodFileTest, WrittenFilesReadBackAndDamagedOnesAreRefused) {
    const auto dir = privateTempPath("sonotest-qvf");
    std::filesystem::create_directories(dir);
    Period period = ramp255();
    ASSERT_TRUE(writePeriodFile(dir / "a.qvf", period, 300));
    const std::string bytes = readBytes(dir / "a.qvf");
    ASSERT_EQ(bytes.size(), 508u);
    EXPECT_EQ(le32At(bytes, 0), 500u);
    EXPECT_EQ(le32At(bytes, 4), 3u);
    const auto file = readPeriodFile(dir / "a.qvf");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->frequencyCode, 3);
    ASSERT_EQ(file->points.size(), 500u);
    EXPECT_EQ(file->points[0], 255);
    EXPECT_EQ(file->points[250], 1);

    writeBytes(dir / "empty.qvf", "");
    writeBytes(dir / "none.qvf", std::string("\0\0\0\0\x0a\0\0\0", 8));
    writeBytes(dir / "short.qvf", std::string("\x0a\0\0\0\x0a\0\0\0abc", 11));
    writeBytes(dir / "negative.qvf", std::string("\xff\xff\xff\xff\x0a\0\0\0abc", 11));
    for (const char* name : {"empty.qvf", "none.qvf", "short.qvf", "negative.qvf", "gone.qvf"})
        EXPECT_FALSE(readPeriodFile(dir / name)) << name;
    std::filesystem::remove_all(dir);
}

TEST(PeriodFileTest, NamesAndTheList) {
    EXPECT_EQ(withPeriodExtension("Fluit"), "Fluit.qvf");
    EXPECT_EQ(withPeriodExtension("fluit.QVF"), "fluit.QVF");
    EXPECT_EQ(withPeriodExtension("qvf"), "qvf.qvf");
    EXPECT_TRUE(periodNameAllowed("mijn fluit (2).qvf"));
    for (char c : std::string("\"\\/:*?|<>"))
        EXPECT_FALSE(periodNameAllowed(std::string("a") + c + "b")) << c;

    const auto dir = privateTempPath("sonotest-qvf-list");
    std::filesystem::create_directories(dir / "mine");
    std::filesystem::create_directories(dir / "shipped");
    writeBytes(dir / "shipped/standard.qvf", "x");
    writeBytes(dir / "shipped/organ.QVF", "x");
    writeBytes(dir / "shipped/notes.txt", "x");
    writeBytes(dir / "mine/standard.qvf", "y");
    writeBytes(dir / "mine/Fluit.qvf", "y");
    const std::vector<std::filesystem::path> folders{dir / "mine", dir / "shipped"};
    EXPECT_EQ(listPeriodFiles(folders),
              (std::vector<std::string>{"Fluit.qvf", "organ.QVF", "standard.qvf"}));
    // The user's own copy is found before the shipped one; a path is taken as it is.
    EXPECT_EQ(findPeriodFile("standard.qvf", folders), dir / "mine/standard.qvf");
    EXPECT_EQ(findPeriodFile("organ.QVF", folders), dir / "shipped/organ.QVF");
    EXPECT_EQ(findPeriodFile((dir / "shipped/standard.qvf").string(), folders),
              dir / "shipped/standard.qvf");
    EXPECT_EQ(findPeriodFile("flute.qvf", folders), std::nullopt);
    std::filesystem::remove_all(dir);
}

// ---------------------------------------------------------------- the editor

using SynthesizerEditorTest = EditorFixture;

// The question, the panels, the caption and the levels after Open are in generators.sb.
TEST_F(SynthesizerEditorTest, OpenReplacesTheSoundByTheSynthesizedOne) {
    load(ramp(3000));
    *doc().Info.find("INAM") = "old";
    const SynthSettings s = settingsWith(ramp255(), 100, 100, 500, 11025, 8);
    editor->generators().synthesize(s);
    EXPECT_EQ(doc().SampleCount, 5512);
    EXPECT_EQ(Samples(doc().LeftSamples.begin(), doc().LeftSamples.begin() + 5512),
              synthesizeSamples(s));
    // Every field empty but the date and the software, which a new sound gets.
    for (size_t i = 0; i < InfoWriteOrder.size(); ++i) {
        const auto id = InfoWriteOrder[i];
        EXPECT_EQ(doc().Info.text[i].empty(), id != "ICRD" && id != "ISFT") << id;
    }
}

TEST_F(SynthesizerEditorTest, PeriodFilesAreLoadedFromTheListAndSavedIntoTheSettingsFolder) {
    // A missing file, in either language, is in generators.sb.
    SynthSettings s;
    // Save: a refused name, then Fluit at 300 Hz.
    host.inputs = {"a:b", "Fluit"};
    s.period = ramp255();
    EXPECT_EQ(editor->generators().savePeriod(s.period, 300), "Fluit.qvf");
    EXPECT_EQ(host.messages.back().text,
              "These characters cannot be in a filename. * ? : / \\ < > |");
    const auto saved = dir / "settings/Fluit.qvf";
    ASSERT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(listPeriodFiles(editor->generators().periodFolders()),
              std::vector<std::string>{"Fluit.qvf"});

    // Saved at 300 Hz, it loads at 333 Hz with its points.
    SynthSettings loaded;
    ASSERT_TRUE(editor->generators().loadPeriodFile("Fluit.qvf", loaded));
    EXPECT_EQ(loaded.frequency, 333);
    EXPECT_EQ(loaded.period, s.period);

    // The name exists: No asks again, Cancel ends; Yes overwrites.
    host.inputs = {"Fluit", "Fluit.qvf"};
    host.answers = {Answer::No, Answer::Cancel};
    const size_t questions = host.questions.size();
    EXPECT_EQ(editor->generators().savePeriod(s.period, 1500), std::nullopt);
    EXPECT_EQ(host.questions.size(), questions + 2);
    EXPECT_EQ(host.questions.back(), "This file already exists. Overwrite it?");
    host.inputs = {"Fluit"};
    host.answers = {Answer::Yes};
    EXPECT_EQ(editor->generators().savePeriod(s.period, 1500), "Fluit.qvf");
    EXPECT_EQ(le32At(readBytes(saved), 4), 1500u);
    // An empty answer or Cancel ends the command.
    host.inputs = {""};
    EXPECT_EQ(editor->generators().savePeriod(s.period, 100), std::nullopt);
    EXPECT_EQ(editor->generators().savePeriod(s.period, 100), std::nullopt);

    // A damaged file is said to be one.
    writeBytes(dir / "settings/kapot.qvf", "RIFF");
    EXPECT_FALSE(editor->generators().loadPeriodFile("kapot.qvf", loaded));
    EXPECT_EQ(host.messages.back().text, "File kapot.qvf is not a valid period file.");
}

TEST_F(SynthesizerEditorTest, TheHiddenEncoderWritesChannelOneAsAPeriodFile) {
    Samples samples = ramp(300, -20); // -20 .. 279: clipped to 0 .. 255
    load(samples, {}, 8);
    host.inputs = {"7"};
    editor->generators().encodePeriodFile();
    const auto file = readPeriodFile(dir / "settings/new_file.qvf");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->frequencyCode, 7);
    ASSERT_EQ(file->points.size(), 300u);
    EXPECT_EQ(file->points[0], 0);
    EXPECT_EQ(file->points[100], 80);
    EXPECT_EQ(file->points[299], 255);
}

} // namespace
} // namespace sono::test
