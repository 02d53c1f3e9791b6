// The sound card for real, through the private test server: a tone played from memory is heard on
// the server's input and recorded back; the play position runs in milliseconds, stays where Stop
// left it, moves with seek and reaches the length at the end. A file opens to play as well.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>

#include "../audio/Loudness.h"
#include "QtWaveDevice.h"
#include "formats/RecordedFile.h"
#include "formats/WavBytes.h"

namespace sono {
namespace {

void wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Lets the event loop run until `done` holds, for at most three seconds.
template <class Done> bool waitUntil(Done&& done) {
    for (int i = 0; i < 150 && !done(); ++i)
        wait(20);
    return done();
}

TEST(QtWaveDevice, PlaysAToneThatIsRecordedBackAndKeepsItsPosition) {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        << "the tests' sound server is not set";
    QTemporaryDir dir;
    const std::string toneFile = dir.filePath("tone.wav").toStdString();
    const std::string recorded = dir.filePath("recorded.wav").toStdString();
    const Samples tone = test::sine(44100, 100, 12000); // a second of 441 Hz at 44100 Hz
    test::writeBytes(
        toneFile, test::riff(test::fmtChunk(1, 44100, 16) + test::chunk("data", test::le16(tone))));

    QtWaveDevice recorder;
    recorder.setRecordingFormat(44100, 1);
    ASSERT_TRUE(recorder.open(recorded, WaveDevice::Purpose::Record));
    recorder.record();
    QtWaveDevice player;
    ASSERT_TRUE(player.open(toneFile, WaveDevice::Purpose::Play));
    EXPECT_EQ(player.length(), 1000);
    // Half a second before the tone and half after it: what plays is the tone alone.
    Samples inMemory(22050, 0);
    inMemory.insert(inMemory.end(), tone.begin(), tone.end());
    inMemory.resize(inMemory.size() + 22050, 0);
    ASSERT_TRUE(player.openSound({inMemory, inMemory, 22050, 44100, 44100, 1, 16}));
    EXPECT_EQ(player.length(), 1000);
    EXPECT_EQ(player.position(), 0);
    player.play();
    ASSERT_TRUE(waitUntil([&] { return player.position() > 300; }));
    EXPECT_LT(player.position(), 1000);
    EXPECT_GT(recorder.position(), 0);

    // Stop keeps the position; seek moves it; playing on reaches the end of the file.
    player.stop();
    const int64_t stopped = player.position();
    wait(200);
    EXPECT_EQ(player.position(), stopped);
    player.seek(200);
    EXPECT_EQ(player.position(), 200);
    player.play();
    EXPECT_TRUE(waitUntil([&] { return player.position() == player.length(); }));
    wait(300);

    recorder.stop();
    recorder.save();
    recorder.close();
    const auto sound = readRecordedFile(recorded);
    ASSERT_TRUE(sound);
    ASSERT_GT(sound->a.size(), 44100u / 2);
    // The tone is heard whenever the recording is loud (the pause of the stop is not): its level,
    // and 882 zero crossings a second.
    const test::Loudness heard = test::loudnessOf(sound->a, 6000, sound->rate);
    EXPECT_GT(heard.seconds, 0.8);
    EXPECT_NEAR(heard.rms, 12000 / std::sqrt(2.0), 1500);
    EXPECT_NEAR(heard.crossingsPerSecond, 882, 30);
}

} // namespace
} // namespace sono
