// What the first frame header of an MP3 file tells the open dialog, and how the music
// information of an MP3 file maps onto the sound's texts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "EditorFixture.h"
#include "document/Document.h"
#include "mp3/Mp3Exchange.h"
#include "mp3/Mp3Frame.h"
#include "support/Texts.h"

namespace sono {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(Mp3Frame, TheFirstHeaderGivesBitrateRateModeAndLength) {
    // MPEG-1 Layer III, bitrate index 9, rate index 1, joint stereo, behind some zeros.
    const Bytes joint48k = {0, 0, 0xFF, 0xFB, 0x94, 0x40};
    auto texts = mp3FrameInfoOf(joint48k, 3'840'000, LanguageEnglish);
    ASSERT_TRUE(texts);
    EXPECT_EQ(texts->bitrate, "128");
    EXPECT_EQ(texts->sampleRate, "48000");
    EXPECT_EQ(texts->channelMode, "joint stereo");
    EXPECT_EQ(texts->duration, "Time: 4:00");
    EXPECT_EQ(mp3FrameInfoOf(joint48k, 3'840'000, LanguageDutch)->duration, "Duur: 4:00");
    // 62.5 seconds round to the even 62.
    EXPECT_EQ(mp3FrameInfoOf(joint48k, 1'000'000, LanguageEnglish)->duration, "Time: 1:02");

    // Rate index 3 is no rate; mode 3 is one channel.
    texts = mp3FrameInfoOf(Bytes{0xFF, 0xFB, 0x9C, 0xC0}, 16'000, LanguageEnglish);
    EXPECT_EQ(texts->sampleRate, "?");
    EXPECT_EQ(texts->channelMode, "single channel");
    // A sync that starts half-way a byte; MPEG-2 Layer III at bitrate index 14 and rate 0.
    texts = mp3FrameInfoOf(Bytes{0x0F, 0xFF, 0x3E, 0x00}, 20'000, LanguageEnglish);
    ASSERT_TRUE(texts);
    EXPECT_EQ(texts->bitrate, "160");
    EXPECT_EQ(texts->sampleRate, "22050");
    EXPECT_EQ(texts->channelMode, "stereo");

    // No sync, the free bitrate (index 0), or a header cut off: nothing to describe.
    EXPECT_FALSE(mp3FrameInfoOf(Bytes(100, 0x41), 100, LanguageEnglish));
    EXPECT_FALSE(mp3FrameInfoOf(Bytes{0xFF, 0xFB, 0x04, 0x40}, 100, LanguageEnglish));
    EXPECT_FALSE(mp3FrameInfoOf(Bytes{0xFF, 0xFB}, 100, LanguageEnglish));
}

// A file's frames start behind its ID3v2 tag, which counts neither for the search nor for the
// length, however long it is and whatever it holds.
TEST(Mp3Frame, AFileIsReadBehindItsId3v2Tag) {
    const auto path = test::privateTempPath("sonotest-tagged.mp3");
    const int tagBytes = 6000;
    std::string file = "ID3\x03";
    file += std::string{
        0, 0, 0, char(tagBytes >> 14 & 0x7F), char(tagBytes >> 7 & 0x7F), char(tagBytes & 0x7F)};
    for (int i = 0; i < tagBytes; ++i)
        file += i % 2 ? char(0xFF) : char(0xF3);  // looks like frame syncs
    const std::string frame = "\xFF\xFB\x90\xC0"; // 128 kbit/s, 44100 Hz, one channel
    file += frame + std::string(160'000 - frame.size(), '\0');
    std::ofstream(path, std::ios::binary).write(file.data(), std::streamsize(file.size()));
    const auto texts = Mp3FrameInfo(path.string(), LanguageEnglish);
    std::filesystem::remove(path);
    ASSERT_TRUE(texts);
    EXPECT_EQ(texts->bitrate, "128");
    EXPECT_EQ(texts->sampleRate, "44100");
    EXPECT_EQ(texts->channelMode, "single channel");
    EXPECT_EQ(texts->seconds, 10);
    EXPECT_FALSE(Mp3FrameInfo("/no/such/file.mp3", LanguageEnglish));
}

TEST(Mp3Fields, TheSoundsTextsBecomeTheFieldsAndBack) {
    const std::vector<std::string> genres = {"Blues", "Rock", "Other", "rock"};
    Document doc;
    doc.DispText = std::string("A title\0", 8);
    *doc.Info.find("IART") = "Zo\xEB";
    *doc.Info.find("INAM") = "An album";
    *doc.Info.find("ICMT") = "A comment";
    *doc.Info.find("ICRD") = "05-01-2024";
    *doc.Info.find("IGNR") = "BLUES";
    EXPECT_EQ(mp3FieldsOf(doc, genres),
              (Mp3Fields{"A title", "Zoë", "An album", "2024", "A comment", "Blues"}));

    // Only four digits standing alone make a year; a genre not in the list is "Other"; of
    // equal names the last counts.
    for (auto [date, year] : {std::pair{"2024-05-01", "2024"}, {"today", ""}, {"120245", ""}}) {
        *doc.Info.find("ICRD") = date;
        EXPECT_EQ(mp3FieldsOf(doc, genres).year, year) << date;
    }
    *doc.Info.find("IGNR") = "Polka";
    EXPECT_EQ(mp3FieldsOf(doc, genres).genre, "Other");
    EXPECT_EQ(genreIndex("ROCK", genres), 3);
    EXPECT_EQ(genreIndex("Polka", genres), 2);
    EXPECT_EQ(genreName(1, genres), "Rock");
    EXPECT_EQ(genreName(200, genres), "Other");
    EXPECT_EQ(genreName(255, genres), "");

    // An imported file's fields, texts stored as Latin-1: the year becomes the date, so that an
    // export of the sound carries it on; a file without a year leaves the date alone.
    const Mp3Fields imported{"T", "Ärtist", "Al", "1999", "C", "Rock"};
    applyMp3Fields(imported, doc);
    EXPECT_EQ(*doc.Info.find("IART"), "\xC4rtist");
    EXPECT_EQ(*doc.Info.find("ICRD"), "1999");
    EXPECT_EQ(mp3FieldsOf(doc, genres), (Mp3Fields{"T", "Ärtist", "Al", "1999", "C", "rock"}));
    applyMp3Fields({"T", "", "", "", "", ""}, doc);
    EXPECT_EQ(*doc.Info.find("ICRD"), "1999");
}

} // namespace
} // namespace sono
