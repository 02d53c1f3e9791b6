// What the open dialog's preview reads of a WAV file without loading it: the header, found past
// other chunks by the reader's rules, and the overview of every column of the picture.
#include <gtest/gtest.h>

#include "WavBytes.h"
#include "formats/WaveHeader.h"
#include "formats/WaveOverview.h"

namespace sono::test {
namespace {

class WavePreview : public EditorFixture {
  protected:
    std::string file(const std::string& bytes) {
        writeBytes(path("preview.wav"), bytes);
        return path("preview.wav");
    }
    std::optional<WaveHeader> header(const std::string& bytes) {
        return readWaveHeader(file(bytes));
    }
};

TEST_F(WavePreview, HeaderIsFoundPastOtherChunks) {
    // 1001 bytes of 8-bit mono at 8 Hz: the size is raised to 1002, 125.25 seconds.
    const std::string bytes =
        riff(chunk("junk", "abc") + infoList({{"INAM", "x"}}) + fmtChunk(1, 8, 8) +
             chunk("data", std::string(1001, '\x80')) + chunk("LIST", "tail"));
    auto read = header(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->format.bitsPerSample, 8);
    EXPECT_EQ(read->fileBytes, int64_t(bytes.size()));
    EXPECT_EQ(bytes.substr(size_t(read->dataStart - 8), 4), "data");
    EXPECT_EQ(read->dataBytes, 1002);
    EXPECT_EQ(read->frames(), 1002);
    EXPECT_EQ(read->seconds(), 125);
    EXPECT_TRUE(read->readable());

    auto stereo =
        header(riff(fmtChunk(2, 44100, 16) + chunk("data", std::string(44100 * 4 * 2 - 4, '\0'))));
    ASSERT_TRUE(stereo);
    EXPECT_EQ(stereo->format.channels, 2);
    EXPECT_EQ(stereo->frames(), 44100 * 2 - 1);
    EXPECT_EQ(stereo->seconds(), 1);

    // A data chunk that claims more than the file holds is what is there.
    auto cut = header(riff(fmtChunk(1, 8000, 16) + rawChunk("data", 1000, std::string(301, '\0'))));
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->dataBytes, 301);
    EXPECT_EQ(cut->frames(), 150);
    auto unfinished = header(riff(fmtChunk(1, 8000, 16) + rawChunk("data", 0xFFFFFFFFu, "abcd")));
    ASSERT_TRUE(unfinished);
    EXPECT_EQ(unfinished->dataBytes, 4);
}

TEST_F(WavePreview, OnlyRiffWaveFilesWithFormatAndDataHaveAHeader) {
    const std::string format = fmtChunk(1, 8000, 16);
    const std::string data = chunk("data", "abcd");
    const std::string cases[] = {
        "",
        "RIFX" + riff(format + data).substr(4),
        rawChunk("RIFF", 4, "AVI ") + format + data,
        riff(data + format),                               // samples before the format
        riff(format),                                      // no samples
        riff(chunk("fmt ", std::string(14, '\1')) + data), // a format chunk too short
        riff(format + rawChunk("junk", 0x80000000u, "") + data),
        riff(format + rawChunk("junk", 5000, "") + data), // larger than the file
    };
    for (const std::string& bytes : cases)
        EXPECT_FALSE(header(bytes)) << ::testing::PrintToString(bytes);
    EXPECT_FALSE(readWaveHeader(path("missing.wav")));
    EXPECT_FALSE(readWaveHeader(dir.string()));

    // A header the reader would refuse is still a header; it is just not readable.
    for (const std::string& refused : {fmtChunk(1, 8000, 16, 3), fmtChunk(1, 8000, 12),
                                       fmtChunk(3, 8000, 16), fmtChunk(1, 0, 16)}) {
        auto read = header(riff(refused + data));
        ASSERT_TRUE(read);
        EXPECT_FALSE(read->readable());
    }
}

TEST_F(WavePreview, OverviewHoldsTheRangeOfEveryColumn) {
    // 8-bit mono, 6 frames in 3 columns of 2.
    const std::string mono("\x80\x40\xC0\xFF\x00\x80", 6);
    auto read = header(riff(fmtChunk(1, 8000, 8) + chunk("data", mono)));
    ASSERT_TRUE(read);
    int steps = 0;
    WaveOverview overview = readWaveOverview(path("preview.wav"), *read, 3,
                                             [&](int step) { EXPECT_EQ(step, steps++); });
    EXPECT_EQ(steps, 100);
    ASSERT_EQ(overview.left.size(), 3u);
    EXPECT_TRUE(overview.right.empty());
    const float expected[3][2] = {{-0.5f, 0}, {0.5f, 127 / 128.f}, {-1, 0}};
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(overview.left[c].low, expected[c][0]) << c;
        EXPECT_EQ(overview.left[c].high, expected[c][1]) << c;
    }

    // 16-bit stereo: each channel its own, and more columns than frames give one per frame.
    auto stereo = header(
        riff(fmtChunk(2, 8000, 16) + chunk("data", le16({-32768, 16384, 32767, -16384, 0, 8192}))));
    ASSERT_TRUE(stereo);
    overview = readWaveOverview(path("preview.wav"), *stereo, 100);
    ASSERT_EQ(overview.left.size(), 3u);
    ASSERT_EQ(overview.right.size(), 3u);
    EXPECT_EQ(overview.left[0].low, -1);
    EXPECT_EQ(overview.left[1].high, 32767 / 32768.f);
    EXPECT_EQ(overview.right[0].high, 0.5f);
    EXPECT_EQ(overview.right[1].low, -0.5f);
    EXPECT_EQ(overview.right[2].low, 0.25f);

    // 24-bit samples are taken as the reader reduces them.
    auto wide = header(riff(fmtChunk(1, 8000, 24) + chunk("data", std::string("\x00\x00\xC0", 3))));
    ASSERT_TRUE(wide);
    overview = readWaveOverview(path("preview.wav"), *wide, 10);
    ASSERT_EQ(overview.left.size(), 1u);
    EXPECT_EQ(overview.left[0].low, -0.5f);

    // Nothing for samples the reader cannot take, or a sound without frames.
    auto refused = header(riff(fmtChunk(1, 8000, 16, 3) + chunk("data", "abcd")));
    EXPECT_TRUE(readWaveOverview(path("preview.wav"), *refused, 10).left.empty());
    auto empty = header(riff(fmtChunk(1, 8000, 16) + chunk("data", "")));
    ASSERT_TRUE(empty); // its data chunk ends exactly at the end of the file
    EXPECT_TRUE(readWaveOverview(path("preview.wav"), *empty, 10).left.empty());
}

} // namespace
} // namespace sono::test
