// The sound card for real, through the private test server: a tone played from memory is heard on
// the server's input and recorded back; the play position runs in milliseconds, stays where Stop
// left it, moves with seek and reaches the length at the end. A file opens to play as well.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "QtWaveDevice.h"
#include "formats/ByteFile.h"
#include "formats/RecordedFile.h"

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

// One second of a 16-bit mono tone at 44100 Hz.
Samples tone(double hertz) {
    Samples samples(44100);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = int16_t(std::lround(12000 * std::sin(2 * M_PI * hertz * double(i) / 44100)));
    return samples;
}

void writeTone(const std::string& path, double hertz) {
    std::string samples;
    for (int16_t sample : tone(hertz))
        appendLE16(samples, uint16_t(sample));
    std::string file = "RIFF";
    appendLE32(file, uint32_t(36 + samples.size()));
    file += "WAVEfmt ";
    for (uint32_t v : {16u})
        appendLE32(file, v);
    appendLE16(file, 1);
    appendLE16(file, 1);
    appendLE32(file, 44100);
    appendLE32(file, 88200);
    appendLE16(file, 2);
    appendLE16(file, 16);
    file += "data";
    appendLE32(file, uint32_t(samples.size()));
    std::ofstream(path, std::ios::binary) << file << samples;
}

TEST(QtWaveDevice, PlaysAToneThatIsRecordedBackAndKeepsItsPosition) {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        << "the tests' sound server is not set";
    int argc = 1;
    char name[] = "platform_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    const std::string toneFile = dir.filePath("tone.wav").toStdString();
    const std::string recorded = dir.filePath("recorded.wav").toStdString();
    writeTone(toneFile, 441);

    QtWaveDevice recorder;
    recorder.setRecordingFormat(44100, 1);
    ASSERT_TRUE(recorder.open(recorded, WaveDevice::Purpose::Record));
    recorder.record();
    QtWaveDevice player;
    ASSERT_TRUE(player.open(toneFile, WaveDevice::Purpose::Play));
    EXPECT_EQ(player.length(), 1000);
    // Half a second before the tone and half after it: what plays is the tone alone.
    Samples inMemory(22050, 0);
    const Samples played = tone(441);
    inMemory.insert(inMemory.end(), played.begin(), played.end());
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
    const Samples& heard = sound->a;
    ASSERT_GT(heard.size(), 44100u / 2);
    // The tone is heard in every 10 ms stretch that is loud (the pause of the stop is not): its
    // level, and 882 zero crossings a second.
    const size_t stretch = size_t(sound->rate / 100);
    int64_t crossings = 0;
    double energy = 0;
    size_t heardFrames = 0;
    for (size_t at = 1; at + stretch <= heard.size(); at += stretch) {
        const auto begin = heard.begin() + long(at), end = begin + long(stretch);
        if (std::none_of(begin, end, [](int16_t s) { return std::abs(s) > 6000; })) continue;
        heardFrames += stretch;
        for (auto i = begin; i < end; ++i) {
            energy += double(*i) * *i;
            if ((*(i - 1) < 0) != (*i < 0)) ++crossings;
        }
    }
    const double seconds = double(heardFrames) / sound->rate;
    EXPECT_GT(seconds, 0.8);
    EXPECT_NEAR(std::sqrt(energy / double(heardFrames)), 12000 / std::sqrt(2.0), 1500);
    EXPECT_NEAR(double(crossings) / seconds, 882, 30);
}

} // namespace
} // namespace sono
