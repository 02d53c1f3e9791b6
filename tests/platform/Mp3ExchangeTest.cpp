// Import MP3 and Export MP3 with the real coder (lame) and tag library, checked with readers of
// their own: `file` for the frames and `id3v2` for the tags. Odd file names, the tags' fields and
// the bitrates and stereo modes are in mp3.sb; here the sound itself, what the exports leave
// behind, and a coder that is missing or cancelled.
#include <QProcess>

#include <cstdlib>

#include "../audio/Loudness.h"
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

// The middle half of a channel: its zero crossings a second and its level.
Loudness middleOf(const Samples& samples) {
    return loudnessOf(Samples(samples.begin() + long(samples.size() / 4),
                              samples.end() - long(samples.size() / 4)),
                      0);
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

    ProcessCoder realCoder;
    TagLibMp3Tags realTags;
};

TEST_F(Mp3Exchange, ASoundGoesOutAndComesBackAsItWas) {
    const int frames = 88200;
    const Samples left = sine(frames, 44100 / 440.0, 16000);
    const Samples right = sine(frames, 44100 / 660.0, 4000);
    load(left, right, 16, 44100);
    *doc().Info.find("IGNR") = "rock";
    const std::string file = path("tone.mp3");
    exportTo(file, 128, true, editor->mp3().fieldsToExport());
    EXPECT_EQ(editor->status().panel(1), "The MP3-file has been saved.");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_NE(frameOf(file).find("layer III, v1, 128 kbps, 44.1 kHz, Stereo"), std::string::npos)
        << frameOf(file);
    // A version 1 tag comes beside the version 2 one.
    EXPECT_NE(tagOf(file).find("Genre: Rock (17)"), std::string::npos) << tagOf(file);
    // The export left the sound as it was, and nothing behind in the folders.
    EXPECT_EQ(doc().LeftSamples, left);
    EXPECT_EQ(doc().RightSamples, right);
    EXPECT_FALSE(doc().Changed);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "temp"), {}), 0);

    editor->runCommand("MMopenMP3", {file});
    ASSERT_EQ(doc().SampleCount, frames) << "the coder keeps the length exactly";
    EXPECT_EQ(doc().Channels, 2);
    EXPECT_EQ(doc().SampleRate, 44100);
    // Two zero crossings a period, and the coder keeps the level within half a decibel.
    EXPECT_NEAR(middleOf(doc().LeftSamples).crossingsPerSecond, 880, 4);
    EXPECT_NEAR(middleOf(doc().RightSamples).crossingsPerSecond, 1320, 4);
    EXPECT_NEAR(middleOf(doc().LeftSamples).rms / middleOf(left).rms, 1, 0.06);
    EXPECT_NEAR(middleOf(doc().RightSamples).rms / middleOf(right).rms, 1, 0.06);
    EXPECT_EQ(doc().FileName, "*");
    EXPECT_EQ(editor->status().panel(1), "The file has been opened.");
}

TEST_F(Mp3Exchange, AMonoSoundGoesOutMonauralAndAnEightBitSoundStaysAsItWas) {
    Samples eightBit = sine(22051, 22050 / 300.0, 127);
    for (int16_t& sample : eightBit)
        sample = int16_t(sample + 128);
    eightBit[0] = 0;
    eightBit[1] = 127;
    eightBit[2] = 255;
    load(eightBit, {}, 8, 22050);
    exportTo(path("mono.mp3"), 64, true, {});
    EXPECT_NE(frameOf(path("mono.mp3")).find("Monaural"), std::string::npos);
    EXPECT_EQ(doc().LeftSamples, eightBit);
    EXPECT_EQ(doc().SampleCount, 22051);
    EXPECT_EQ(doc().BitsPerSample, 8);
    EXPECT_EQ(doc().UndoLevel, 0);
}

TEST_F(Mp3Exchange, WithoutTheCoderNothingIsLostAndTheUserIsTold) {
    load(sine(2000, 22050 / 300.0, 8000));
    writeBytes(dir / "old.mp3", "the old file");
    const std::string searchPath = std::getenv("PATH");
    setenv("PATH", (dir / "temp").c_str(), 1);
    editor->runCommand("MMsaveMP3",
                       {path("old.mp3"), int64_t(0), int64_t(1), "", "", "", "", "", ""});
    editor->runCommand("MMopenMP3", {path("old.mp3")});
    setenv("PATH", searchPath.c_str(), 1);
    EXPECT_EQ(editor->status().panel(1), "The MP3-file has not been saved.");
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].caption, path("old.mp3"));
    EXPECT_EQ(host.messages[0].text, "An error has occured, so the MP3-file could not be saved.");
    // The message of a file the coder cannot read is in mp3.sb.
    EXPECT_EQ(host.messages[1].text, "An error has occured. This MP3-file cannot be opened.");
    EXPECT_EQ(readBytes(dir / "old.mp3"), "the old file");
    EXPECT_EQ(doc().SampleCount, 2000);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "temp"), {}), 0);
}

TEST_F(Mp3Exchange, CancelWhileTheCoderRunsLeavesNoFileAndNoCoder) {
    load(sine(44100, 44100 / 300.0, 8000));
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
