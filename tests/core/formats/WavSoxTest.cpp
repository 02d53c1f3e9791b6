// WAV files crossing the program's border: files sox writes must read as sox reads them. That sox
// reads the editor's files as they were is checked by files.check and saving.check.
#include <gtest/gtest.h>

#include "WavBytes.h"
#include "formats/WavReader.h"
#include "formats/WavWriter.h"

namespace sono::test {
namespace {

using namespace std::string_literals;

// The 16-bit value a 24-bit sample keeps: the upper two bytes, one lower when the low byte is 0
// and they are odd.
int16_t expected24(const uint8_t* s) {
    int high = int16_t(uint16_t(s[1] | s[2] << 8));
    return int16_t(s[0] == 0 && high % 2 != 0 ? high - 1 : high);
}

class WavSox : public WavFixture {
  protected:
    void SetUp() override {
        if (!haveSox()) GTEST_SKIP() << "sox is not installed";
        WavFixture::SetUp();
    }
};

TEST_F(WavSox, ReaderAgreesWithSoxOnEveryWidthAndLayout) {
    // Samples that test the 24-bit reduction at its edges, then arbitrary ones.
    const std::string edges24("\0\1\0\0\3\0\x80\1\0\0\0\x80\0\xff\xff\xff\xff\x7f", 18);
    for (int bits : {8, 16, 24}) {
        for (int channels : {1, 2}) {
            SCOPED_TRACE(std::to_string(bits) + " bits, " + std::to_string(channels) + " channels");
            const int frameBytes = bits / 8 * channels;
            // An odd frame count makes the 8-bit mono data odd, so sox adds a pad byte.
            std::string raw = (bits == 24 ? edges24 : "") + patternBytes(size_t(frameBytes) * 301);
            raw.resize(raw.size() / frameBytes * frameBytes);
            writeBytes(dir / "in.raw", raw);
            std::filesystem::path plain = dir / "plain.wav";
            shellOutput("sox -t raw -r 11025 -e " + std::string(bits == 8 ? "unsigned" : "signed") +
                        " -b " + std::to_string(bits) + " -c " + std::to_string(channels) + " -L " +
                        shellQuoted(dir / "in.raw") + " -t wavpcm " + shellQuoted(plain));

            // The same file with texts put in before the samples.
            const std::string bytes = readBytes(plain);
            const size_t data = bytes.find("data");
            writeBytes(dir / "info.wav",
                       riff(bytes.substr(12, data - 12) +
                            infoList({{"INAM", "Sine\0"s}, {"IART", "Sox"}}) + bytes.substr(data)));

            for (const auto& file : {plain, dir / "info.wav"}) {
                std::string sox = soxSamples(file, bits);
                ASSERT_EQ(sox, raw);
                WavReadResult read = readWaveFile(file.string());
                ASSERT_EQ(read.failure, WavFailure::None);
                EXPECT_EQ(read.reducedFrom24, bits == 24);
                EXPECT_EQ(read.sound.BitsPerSample, bits == 8 ? 8 : 16);
                EXPECT_EQ(read.sound.Channels, channels);
                EXPECT_EQ(read.sound.SampleRate, 11025);
                const size_t frames = sox.size() / frameBytes;
                // A pad byte after odd 8-bit mono data is read as one more frame.
                const size_t padFrames = bits == 8 && channels == 1 && frames % 2 ? 1 : 0;
                ASSERT_EQ(size_t(read.sound.SampleCount), frames + padFrames);
                EXPECT_TRUE(!padFrames || read.sound.LeftSamples.back() == 0);
                auto s = reinterpret_cast<const uint8_t*>(sox.data());
                for (size_t i = 0; i < frames * channels; ++i) {
                    const uint8_t* p = s + i * (bits / 8);
                    int16_t want = bits == 8    ? p[0]
                                   : bits == 16 ? int16_t(readLE16(p))
                                                : expected24(p);
                    int16_t got = (i % channels ? read.sound.RightSamples
                                                : read.sound.LeftSamples)[i / channels];
                    ASSERT_EQ(got, want) << "sample " << i;
                }
                EXPECT_EQ(*read.info.find("INAM"), file == plain ? "" : "Sine\0\0"s);
                EXPECT_EQ(*read.info.find("ISFT"), "Sonoplexer 1.6");
            }
        }
    }
}

// Long enough that the samples cross the border in several blocks within each step of progress,
// and of an odd length, so that the last block is a short one.
TEST_F(WavSox, LongStereoSoundsReadAndSaveAsSoxReadsThem) {
    for (int bits : {8, 16}) {
        SCOPED_TRACE(std::to_string(bits) + " bits");
        const std::string frames = bits == 8 ? "14000001" : "7000001";
        const std::filesystem::path made = dir / "made.wav", saved = dir / "saved.wav";
        shellOutput("sox -D -r 44100 -c 2 -n -b " + std::to_string(bits) + " " + shellQuoted(made) +
                    " synth " + frames + "s whitenoise vol 0.5");
        const std::string sox = soxSamples(made, bits);

        WavReadResult read = readWaveFile(made.string());
        ASSERT_EQ(read.failure, WavFailure::None);
        ASSERT_EQ(std::to_string(read.sound.SampleCount), frames);
        auto s = reinterpret_cast<const uint8_t*>(sox.data());
        for (size_t i = 0; i < sox.size() * 8 / bits; ++i) {
            const uint8_t* p = s + i * (bits / 8);
            const int16_t want = bits == 8 ? p[0] : int16_t(readLE16(p));
            ASSERT_EQ((i % 2 ? read.sound.RightSamples : read.sound.LeftSamples)[i / 2], want)
                << "sample " << i;
        }

        Document doc;
        doc.Channels = 2;
        doc.BitsPerSample = float(bits);
        doc.SampleRate = 44100;
        doc.SampleCount = read.sound.SampleCount;
        doc.LeftSamples = std::move(read.sound.LeftSamples);
        doc.RightSamples = std::move(read.sound.RightSamples);
        ASSERT_EQ(writeWaveFile(saved.string(), doc, 0, doc.SampleCount), WriteFailure::None);
        EXPECT_TRUE(soxSamples(saved, bits) == sox);

        // 40 bytes cut off the end, still no shorter than the data chunk says it is: the frames
        // whose bytes are missing are silent, the one before them as it was.
        std::filesystem::resize_file(made, std::filesystem::file_size(made) - 40);
        read = readWaveFile(made.string());
        ASSERT_EQ(std::to_string(read.sound.SampleCount), frames);
        const size_t lost = 40 / 2 / (bits / 8), kept = size_t(read.sound.SampleCount) - lost;
        const int16_t silence = bits == 8 ? 128 : 0;
        EXPECT_EQ(
            Samples(read.sound.LeftSamples.begin() + ptrdiff_t(kept), read.sound.LeftSamples.end()),
            Samples(lost, silence));
        EXPECT_EQ(Samples(read.sound.RightSamples.begin() + ptrdiff_t(kept),
                          read.sound.RightSamples.end()),
                  Samples(lost, silence));
        EXPECT_EQ(read.sound.LeftSamples[kept - 1], doc.LeftSamples[kept - 1]);
        EXPECT_EQ(read.sound.RightSamples[kept - 1], doc.RightSamples[kept - 1]);
    }
}

} // namespace
} // namespace sono::test
