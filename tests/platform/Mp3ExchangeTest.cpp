// Import MP3 and Export MP3 with the real coder (lame) and tag library, checked with readers of
// their own: `file` for the frames and `id3v2` for the tags.
#include <QCoreApplication>
#include <QProcess>

#include <cmath>
#include <cstdlib>
#include <numbers>

#include "EditorFixture.h"
#include "ProcessCoder.h"
#include "TagLibMp3Tags.h"

namespace sono::test {
namespace {

// What a program prints, run without a shell.
std::string outputOf(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(30000);
    return process.readAll().toStdString();
}
std::string frameOf(const std::string& path) {
    return outputOf("file", {"-b", QString::fromStdString(path)});
}
std::string tagOf(const std::string& path) {
    return outputOf("id3v2", {"-l", QString::fromStdString(path)});
}

Samples tone(double frequency, double amplitude, int frames, double rate) {
    Samples out(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i)
        out[size_t(i)] =
            int16_t(std::lround(amplitude * std::sin(2 * std::numbers::pi * frequency * i / rate)));
    return out;
}

// Rising zero crossings per second, over the middle of the sound.
double frequencyOf(const Samples& samples, int frames, double rate) {
    int crossings = 0;
    for (int i = frames / 4; i < frames * 3 / 4; ++i)
        crossings += samples[size_t(i)] < 0 && samples[size_t(i + 1)] >= 0;
    return crossings / (frames / 2 / rate);
}

double rmsOf(const Samples& samples, int frames) {
    double sum = 0;
    for (int i = frames / 4; i < frames * 3 / 4; ++i)
        sum += double(samples[size_t(i)]) * samples[size_t(i)];
    return std::sqrt(sum / (frames / 2));
}

class Mp3Exchange : public EditorFixture {
  protected:
    Mp3Exchange() {
        coderPort = &realCoder;
        tagsPort = &realTags;
    }
    void exportTo(const std::string& file, int bitrate, bool stereo, const Mp3Fields& fields) {
        const auto& rates = Mp3Commands::bitrates();
        const auto index = std::find(rates.begin(), rates.end(), bitrate) - rates.begin();
        ASSERT_TRUE(editor->runCommand("MMsaveMP3", {file, int64_t(index), int64_t(stereo),
                                                     fields.title, fields.artist, fields.album,
                                                     fields.year, fields.comment, fields.genre}));
    }

    int argc = 1;
    char name[15] = "platform_tests";
    char* argv[2] = {name, nullptr};
    QCoreApplication application{argc, argv};
    ProcessCoder realCoder;
    TagLibMp3Tags realTags;
};

TEST_F(Mp3Exchange, ASoundGoesOutAndComesBackWithItsMusicInformation) {
    const int frames = 88200;
    const Samples left = tone(440, 16000, frames, 44100);
    const Samples right = tone(660, 4000, frames, 44100);
    load(left, right, 16, 44100);
    doc().DispText = "Tone";
    *doc().Info.find("IART") = "Zo\xEB";
    *doc().Info.find("ICRD") = "2024-05-01";
    *doc().Info.find("IGNR") = "rock";
    // A name a shell or an option parser would take apart.
    const std::string file = path("-b 8 it's a \"tone\"; $(touch hit) \xC3\xABn.mp3");
    Mp3Fields fields = editor->mp3().fieldsToExport();
    EXPECT_EQ(fields, (Mp3Fields{"Tone", "Zoë", "", "2024", "", "Rock"}));
    fields.comment = "Made here";
    exportTo(file, 128, true, fields);
    EXPECT_EQ(editor->status().panel(1), "The MP3-file has been saved.");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(std::filesystem::exists("hit"));
    EXPECT_NE(frameOf(file).find("layer III, v1, 128 kbps, 44.1 kHz, Stereo"), std::string::npos)
        << frameOf(file);
    const std::string tag = tagOf(file);
    for (const char* line : {"TIT2 (Title/songname/content description): Tone",
                             "TPE1 (Lead performer(s)/Soloist(s)): Zoë", "TYER (Year): 2024",
                             "]: Made here", "TCON (Content type): Rock (17)", "Genre: Rock (17)"})
        EXPECT_NE(tag.find(line), std::string::npos) << line << " in\n" << tag;
    // The export left the sound as it was, and nothing behind in the folders.
    EXPECT_EQ(doc().LeftSamples, left);
    EXPECT_EQ(doc().RightSamples, right);
    EXPECT_FALSE(doc().Changed);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "temp"), {}), 0);

    editor->runCommand("MMopenMP3", {file});
    ASSERT_EQ(doc().SampleCount, frames) << "the coder keeps the length exactly";
    EXPECT_EQ(doc().Channels, 2);
    EXPECT_EQ(doc().SampleRate, 44100);
    EXPECT_NEAR(frequencyOf(doc().LeftSamples, frames, 44100), 440, 2);
    EXPECT_NEAR(frequencyOf(doc().RightSamples, frames, 44100), 660, 2);
    // The coder keeps the level within half a decibel.
    EXPECT_NEAR(rmsOf(doc().LeftSamples, frames) / rmsOf(left, frames), 1, 0.06);
    EXPECT_NEAR(rmsOf(doc().RightSamples, frames) / rmsOf(right, frames), 1, 0.06);
    EXPECT_EQ(doc().FileName, "*");
    EXPECT_EQ(doc().DispText, "Tone");
    EXPECT_EQ(*doc().Info.find("IART"), "Zo\xEB");
    EXPECT_EQ(*doc().Info.find("ICMT"), "Made here");
    EXPECT_EQ(*doc().Info.find("IGNR"), "Rock");
    EXPECT_EQ(editor->status().panel(1), "The file has been opened.");
}

TEST_F(Mp3Exchange, TheStereoBoxChoosesTheModeAndAnEightBitSoundStaysAsItWas) {
    Samples eightBit = tone(300, 127, 22051, 22050);
    for (int16_t& sample : eightBit)
        sample = int16_t(sample + 128);
    eightBit[0] = 0;
    eightBit[1] = 127;
    eightBit[2] = 255;
    load(eightBit, {}, 8, 22050);
    exportTo(path("mono.mp3"), 64, true, {});
    EXPECT_NE(frameOf(path("mono.mp3")).find("Monaural"), std::string::npos);
    EXPECT_NE(tagOf(path("mono.mp3")).find("No ID3 tag"), std::string::npos)
        << "six empty fields write no tag";
    EXPECT_EQ(doc().LeftSamples, eightBit);
    EXPECT_EQ(doc().SampleCount, 22051);
    EXPECT_EQ(doc().BitsPerSample, 8);
    EXPECT_EQ(doc().UndoLevel, 0);

    const Samples stereo = tone(300, 8000, 22050, 22050);
    load(stereo, stereo, 16, 22050);
    exportTo(path("joint.mp3"), 64, false, {});
    EXPECT_NE(frameOf(path("joint.mp3")).find("JntStereo"), std::string::npos);

    // Without a tag the comment says where the sound was edited.
    editor->runCommand("MMopenMP3", {path("joint.mp3")});
    EXPECT_EQ(doc().DispText, "");
    EXPECT_EQ(*doc().Info.find("IART"), "");
    EXPECT_EQ(*doc().Info.find("ICMT"), "Edited with Sonoplexer");
}

TEST_F(Mp3Exchange, WithoutTheCoderNothingIsLostAndTheUserIsTold) {
    load(tone(300, 8000, 2000, 22050));
    writeBytes(dir / "old.mp3", "the old file");
    writeBytes(dir / "not.mp3", "not an MP3 file at all");
    // The coder refuses a file that is no MP3.
    editor->runCommand("MMopenMP3", {path("not.mp3")});
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, path("not.mp3"));
    EXPECT_EQ(host.messages[0].text, "An error has occured. This MP3-file cannot be opened.");
    EXPECT_EQ(doc().SampleCount, 2000);

    const std::string searchPath = std::getenv("PATH");
    setenv("PATH", (dir / "temp").c_str(), 1);
    editor->runCommand("MMsaveMP3",
                       {path("old.mp3"), int64_t(0), int64_t(1), "", "", "", "", "", ""});
    editor->runCommand("MMopenMP3", {path("old.mp3")});
    setenv("PATH", searchPath.c_str(), 1);
    EXPECT_EQ(editor->status().panel(1), "The MP3-file has not been saved.");
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[1].caption, path("old.mp3"));
    EXPECT_EQ(host.messages[1].text, "An error has occured, so the MP3-file could not be saved.");
    EXPECT_EQ(host.messages[2].text, "An error has occured. This MP3-file cannot be opened.");
    EXPECT_EQ(readBytes(dir / "old.mp3"), "the old file");
    EXPECT_EQ(doc().SampleCount, 2000);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "temp"), {}), 0);
}

TEST_F(Mp3Exchange, CancelWhileTheCoderRunsLeavesNoFileAndNoCoder) {
    load(tone(300, 8000, 44100, 44100));
    exportTo(path("whole.mp3"), 32, false, {});
    writeBytes(dir / "old.mp3", "the old file");
    const Samples before = left();
    // A coder that takes its time, so that the editor surely waits for it.
    std::filesystem::create_directory(dir / "slow");
    writeBytes(dir / "slow" / "lame", "#!/bin/sh\nsleep 0.3\nexec lame \"$@\"\n");
    std::filesystem::permissions(dir / "slow" / "lame", std::filesystem::perms::owner_all);
    const std::string searchPath = std::getenv("PATH");
    setenv("PATH", ((dir / "slow").string() + ":" + searchPath).c_str(), 1);
    host.whileWaiting = [this] { editor->work().cancelWork(); };
    for (const std::string command : {"MMsaveMP3", "MMopenMP3"}) {
        const Arguments arguments =
            command == "MMsaveMP3"
                ? Arguments{path("old.mp3"), int64_t(0), int64_t(1), "", "", "", "", "", ""}
                : Arguments{path("whole.mp3")};
        ASSERT_TRUE(editor->runCommand(command, arguments));
        EXPECT_EQ(editor->status().panel(1), "Cancelled.") << command;
        EXPECT_EQ(readBytes(dir / "old.mp3"), "the old file") << command;
        EXPECT_TRUE(left() == before) << command;
        EXPECT_TRUE(host.messages.empty()) << command;
        // Neither the coder nor its files outlive the command.
        EXPECT_EQ(outputOf("pgrep", {"-P", QString::number(getpid())}), "") << command;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "temp"), {}), 0)
            << command;
        size_t files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            files += entry.is_regular_file();
        EXPECT_EQ(files, 2u) << command; // whole.mp3 and old.mp3
    }
    setenv("PATH", searchPath.c_str(), 1);
}

} // namespace
} // namespace sono::test
