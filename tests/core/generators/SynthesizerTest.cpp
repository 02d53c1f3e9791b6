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

using namespace std::string_literals;

// A period with one bump: column 0 at the top (255), column 250 at the bottom (1), a ramp
// between, so that every column has a value of its own in each half.
Period ramp255() {
    Period period;
    for (int i = 0; i < PeriodColumns; ++i)
        period[size_t(i)] = int16_t(i < 250 ? 255 - i * 254 / 249 : 1 + (i - 250) * 254 / 249);
    return period;
}

uint32_t le32At(const std::string& bytes, size_t at) {
    return readLE32(reinterpret_cast<const uint8_t*>(bytes.data() + at));
}

// ---------------------------------------------------------------- the sound

TEST(SynthesisTest, ThePeriodRepeatsScaledToItsPeakAndWhatCannotSoundIsSilence) {
    // Full volume: the top 255 and the bottom 1, 127 from the zero line, are 127 or 32512 from it.
    const auto eight = synthesizeSamples({ramp255(), 100, 100, 100, 11025, 8});
    EXPECT_EQ(eight[0], 255);
    EXPECT_EQ(*std::min_element(eight.begin(), eight.end()), 1);
    // Half volume: 63.5 x (p - 128) / 127, rounded half to even.
    EXPECT_EQ(synthesizeSamples({ramp255(), 100, 50, 100, 11025, 8})[0], 192);

    // 100 Hz at 44100 Hz: frame k takes column (k mod 441) x 500 \ 441 of a period whose
    // neighbouring columns lie on either side of the zero line; its peak, 124, is at column 498.
    Period period;
    for (int i = 0; i < PeriodColumns; ++i)
        period[size_t(i)] = int16_t(i % 2 == 0 ? 128 + i / 4 : 128 - i / 4);
    const auto sixteen = synthesizeSamples({period, 100, 100, 50, 44100, 16});
    ASSERT_EQ(sixteen.size(), 2205u);
    // Columns 498, 133 (95), 134 (161), 498 again.
    EXPECT_EQ(Samples({sixteen[440], sixteen[1000], sixteen[1001], sixteen[2204]}),
              Samples({32512, -8652, 8652, 32512}));

    // A flat period, and a tone above the rate (round(11025 / 30000) = 0 frames a period).
    Period flat;
    flat.fill(128);
    for (int bits : {8, 16})
        EXPECT_EQ(synthesizeSamples({flat, 100, 100, 100, 11025, bits}),
                  Samples(1102, bits == 8 ? 128 : 0));
    EXPECT_EQ(synthesizeSamples({ramp255(), 30000, 100, 100, 11025, 8}), Samples(1102, 128));
    // A flat line off the zero line still has a peak: it is a constant at full scale.
    flat.fill(200);
    EXPECT_EQ(synthesizeSamples({flat, 100, 100, 10, 11025, 8})[0], 255);
}

TEST(SynthesisTest, SoxReadsTheSynthesizedFileAsWritten) {
    if (!haveSox()) GTEST_SKIP() << "no sox";
    const auto file = privateTempPath("sonotest-synth.wav");
    for (int bits : {8, 16}) {
        const std::string wave = synthesizedWave({ramp255(), 440, 80, 250, 22050, bits});
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
    EXPECT_EQ(drawPeriodMove(period, previous, 30, 155, true), 30);
    EXPECT_EQ(Samples({period[10], period[11], period[20], period[30]}),
              Samples({200, 195, 150, 100}));
    // Backwards, and without smoothing only the column itself.
    drawPeriodMove(period, 30, 20, 0, false);
    EXPECT_EQ(Samples({period[20], period[25]}), Samples({255, 125}));
    // Outside the area nothing happens; a pointer in the last half column rounds past it.
    const Period before = period;
    for (auto [x, y] : {std::pair{500.0, 10.0}, {10, 256}, {-1, 10}, {499.6, 10}})
        EXPECT_EQ(drawPeriodMove(period, 7, x, y, true), 7) << x << ", " << y;
    EXPECT_EQ(period, before);
    // The bottom half pixel would give -1; it is clipped to 0.
    drawPeriodMove(period, 3, 3, 255.7, false);
    EXPECT_EQ(period[3], 0);
}

// ---------------------------------------------------------------- period files

TEST(PeriodFileTest, FewerThan500PointsSpreadWithLinesBetweenAndMoreTakeAColumnEach) {
    Period period;
    period.fill(7); // what was drawn before
    std::vector<uint8_t> points(100), all(500);
    for (size_t i = 0; i < all.size(); ++i) {
        all[i] = uint8_t(i % 256);
        if (i < points.size()) points[i] = uint8_t(i % 2 == 0 ? 50 : 250);
    }
    spreadPeriodPoints(period, points);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(period[size_t(5 * i)], points[size_t(i)]) << "column " << 5 * i;
    // Between 0 (50) and 5 (250): 90, 130, 170, 210. From 495 (250) on nothing reaches the
    // columns: they keep their values.
    EXPECT_EQ(Samples({period[1], period[2], period[4], period[496], period[499]}),
              Samples({90, 130, 210, 7, 7}));
    spreadPeriodPoints(period, all);
    EXPECT_TRUE(std::equal(all.begin(), all.end(), period.begin()));
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
    const SynthSettings s{ramp255(), 100, 100, 500, 11025, 8};
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
    // The count of points, the code of 300 Hz and the points.
    const std::string bytes = readBytes(saved);
    ASSERT_EQ(bytes.size(), 508u);
    EXPECT_EQ(le32At(bytes, 0), 500u);
    EXPECT_EQ(le32At(bytes, 4), 3u);

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

    // A damaged file is said to be one: empty, without points, or with fewer than it promises.
    writeBytes(dir / "settings/kapot.qvf", "RIFF");
    EXPECT_FALSE(editor->generators().loadPeriodFile("kapot.qvf", loaded));
    EXPECT_EQ(host.messages.back().text, "File kapot.qvf is not a valid period file.");
    for (const std::string& damaged : {""s, "\0\0\0\0\x0a\0\0\0"s, "\x0a\0\0\0\x0a\0\0\0abc"s,
                                       "\xff\xff\xff\xff\x0a\0\0\0abc"s}) {
        writeBytes(saved, damaged);
        EXPECT_FALSE(readPeriodFile(saved)) << damaged.size();
    }
    EXPECT_FALSE(readPeriodFile(dir / "gone.qvf"));
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
