// Which ID3v2 tags are handed to the tag library: those it can read within the limit, compressed
// frames counted by what they really unpack to, however small they say they are.
#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>

#include "mp3/Id3v2Guard.h"

namespace sono {
namespace {

constexpr uint32_t Megabyte = 1 << 20;

std::string bigEndian(uint32_t v) {
    return {char(v >> 24), char(v >> 16 & 0xFF), char(v >> 8 & 0xFF), char(v & 0xFF)};
}

std::string syncsafe(uint32_t v) {
    return {char(v >> 21 & 0x7F), char(v >> 14 & 0x7F), char(v >> 7 & 0x7F), char(v & 0x7F)};
}

std::string packed(const std::string& data) {
    uLongf size = compressBound(uLong(data.size()));
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size,
              reinterpret_cast<const Bytef*>(data.data()), uLong(data.size()), 9);
    out.resize(size);
    return out;
}

// 17 MiB of zeros, packed: a stream that unpacks past the limit.
const std::string& bomb() {
    static const std::string packedZeros = packed(std::string(17 * Megabyte, '\0'));
    return packedZeros;
}

// A zero behind every 0xFF, as a writer that unsynchronises puts it.
std::string unsynchronised(const std::string& data) {
    std::string out;
    for (char c : data) {
        out += c;
        if (c == char(0xFF)) out += '\0';
    }
    return out;
}

std::string text(const std::string& latin1) {
    return '\0' + latin1;
}

// A version 2.3 frame: compressed ones carry the size they claim to unpack to before their data.
std::string frame23(const std::string& id, const std::string& data) {
    return id + bigEndian(uint32_t(data.size())) + std::string(2, '\0') + data;
}
std::string compressed23(const std::string& id, const std::string& zlib, uint32_t claimed) {
    const std::string data = bigEndian(claimed) + zlib;
    return id + bigEndian(uint32_t(data.size())) + '\0' + char(0x80) + data;
}

// A version 2.4 frame, its size syncsafe, its data stored as its flags say.
std::string frame24(const std::string& id, const std::string& data, uint8_t flags = 0) {
    return id + syncsafe(uint32_t(data.size())) + '\0' + char(flags) + data;
}

std::string tag(int version, const std::string& frames, uint8_t flags = 0) {
    return "ID3" + std::string{char(version), 0, char(flags)} + syncsafe(uint32_t(frames.size())) +
           frames;
}

// An MPEG frame header and some silence behind the tag, as in an MP3 file.
const std::string Audio = "\xFF\xFB\x90\xC0" + std::string(400, '\0');

bool isSafe(const std::string& file, int64_t limit = Id3v2TagLimit) {
    // A name of each test's own, as the tests may run side by side.
    const std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
    const auto path = std::filesystem::temp_directory_path() / ("sonotest-" + test + ".mp3");
    std::ofstream(path, std::ios::binary).write(file.data(), std::streamsize(file.size()));
    const bool safe = id3v2TagIsSafe(path.string(), limit);
    std::filesystem::remove(path);
    return safe;
}

TEST(Id3v2Guard, CompressedFramesCountWhatTheyUnpackTo) {
    const std::string title = frame23("TIT2", text("Hello"));
    EXPECT_TRUE(
        isSafe(tag(3, title + compressed23("COMM", packed(text("a comment")), 10)) + Audio));
    // Claiming 1.5 GB is enough to be refused; claiming little does not help a stream that
    // unpacks past the limit, nor one broken off after doing so.
    EXPECT_FALSE(isSafe(tag(3, title + compressed23("TIT2", packed("x"), 1'500'000'000)) + Audio));
    EXPECT_FALSE(isSafe(tag(3, compressed23("TIT2", bomb(), 6)) + Audio));
    const std::string brokenOff = bomb().substr(0, bomb().size() - 8);
    EXPECT_FALSE(isSafe(tag(3, compressed23("TIT2", brokenOff, 6)) + Audio));
    // Frames within the limit one by one may together be over it.
    const std::string nine = packed(std::string(9 * Megabyte, '\0'));
    EXPECT_FALSE(isSafe(tag(3, compressed23("TIT2", nine, 9 * Megabyte) +
                                   compressed23("TALB", nine, 9 * Megabyte)) +
                        Audio));
    // A frame that says it is short while its stream goes on into the bytes behind it: readers
    // unpack on to the end of the tag.
    const std::string cut = compressed23("TIT2", bomb().substr(0, 20), 6);
    EXPECT_FALSE(isSafe(tag(3, cut + bomb().substr(20)) + Audio));

    // Texts a tag library splits into entries have a budget of their own, packed or not: a
    // picture may be large where a title may not.
    std::string letters;
    for (int i = 0; i < 150'000; ++i)
        letters += std::string("a\0", 2);
    EXPECT_FALSE(isSafe(tag(3, frame23("TIT2", text(letters))) + Audio));
    EXPECT_FALSE(isSafe(tag(3, compressed23("TIT2", packed(text(letters)), 6)) + Audio));
    EXPECT_TRUE(isSafe(tag(3, title + frame23("APIC", std::string(Megabyte, 'p'))) + Audio));
}

TEST(Id3v2Guard, EachVersionIsReadAsItIsStored) {
    const std::string hello = packed(text("Hello"));
    // Version 2.3 with the whole tag unsynchronised: the bomb is found once that is undone.
    const std::string bomb23 = compressed23("TIT2", bomb(), 6);
    const std::string small23 = compressed23("TIT2", hello, 6);
    EXPECT_TRUE(isSafe(tag(3, unsynchronised(small23), 0x80) + Audio));
    EXPECT_FALSE(isSafe(tag(3, unsynchronised(bomb23), 0x80) + Audio));

    // Version 2.4: compressed data behind its data length, unsynchronised by the tag's flag or
    // the frame's own; frame sizes are syncsafe.
    const uint8_t compressedWithLength = 0x08 | 0x01, unsynchronisedToo = 0x08 | 0x01 | 0x02;
    const std::string small24 = frame24("TIT2", syncsafe(6) + hello, compressedWithLength);
    EXPECT_TRUE(isSafe(tag(4, small24) + Audio));
    EXPECT_TRUE(isSafe(
        tag(4, frame24("TIT2", unsynchronised(syncsafe(6) + hello), unsynchronisedToo)) + Audio));
    const std::string bomb24 = syncsafe(6) + bomb();
    EXPECT_FALSE(isSafe(tag(4, frame24("TIT2", bomb24, compressedWithLength)) + Audio));
    EXPECT_FALSE(isSafe(
        tag(4, frame24("TIT2", unsynchronised(bomb24), compressedWithLength), 0x80) + Audio));
    EXPECT_FALSE(
        isSafe(tag(4, frame24("TIT2", unsynchronised(bomb24), unsynchronisedToo)) + Audio));
    // A frame of 200 bytes has a syncsafe size that read as a plain number would jump the bomb.
    const std::string picture = frame24("APIC", std::string(200, 'p'));
    EXPECT_TRUE(isSafe(tag(4, picture + small24) + Audio));
    EXPECT_FALSE(isSafe(tag(4, picture + frame24("TIT2", bomb24, compressedWithLength)) + Audio));

    // An extended header is stepped over: its size counts itself in 2.4, not in 2.3, where some
    // readers skip only the size and so take the last four bytes of the header for a frame ID.
    // A footer follows the frames.
    const std::string extended24 = syncsafe(6) + std::string{1, 0};
    const std::string extended23 = bigEndian(6) + std::string(6, '\0');
    EXPECT_TRUE(isSafe(tag(4, extended24 + small24, 0x40 | 0x10) + "3DI" + std::string(7, 0)));
    EXPECT_FALSE(isSafe(tag(4, extended24 + frame24("TIT2", bomb24, compressedWithLength), 0x40)));
    EXPECT_TRUE(isSafe(tag(3, extended23 + small23, 0x40) + Audio));
    EXPECT_FALSE(isSafe(tag(3, extended23 + bomb23, 0x40) + Audio));
    // Here the padding size of the extended header is the ID of the frame behind it.
    EXPECT_FALSE(isSafe(tag(3, bigEndian(6) + std::string(2, '\0') + bomb23, 0x40) + Audio));

    // Version 2.2 has no compressed frames: only its size counts.
    const std::string tag22 = tag(2, "TT2" + std::string{0, 0, 6} + text("Hello"));
    EXPECT_TRUE(isSafe(tag22 + Audio));
    EXPECT_FALSE(isSafe(tag22 + Audio, 5));
}

TEST(Id3v2Guard, FramesInsideChaptersCountToo) {
    const std::string times(16, '\0');
    const std::string title = compressed23("TIT2", packed(text("Intro")), 6);
    const std::string bomb23 = compressed23("TIT2", bomb(), 6);
    EXPECT_TRUE(isSafe(tag(3, frame23("CHAP", "ch1" + std::string(1, 0) + times + title)) + Audio));
    EXPECT_FALSE(
        isSafe(tag(3, frame23("CHAP", "ch1" + std::string(1, 0) + times + bomb23)) + Audio));
    const std::string contents = "toc" + std::string{0, 3, 1} + "ch1" + std::string(1, 0);
    EXPECT_TRUE(isSafe(tag(3, frame23("CTOC", contents + title)) + Audio));
    EXPECT_FALSE(isSafe(tag(3, frame23("CTOC", contents + bomb23)) + Audio));
}

TEST(Id3v2Guard, TagsTheFileCannotHoldOrTheLimitCannotTakeAreRefused) {
    const std::string tagged = tag(3, frame23("TIT2", text("Hello")) + std::string(2000, '\0'));
    EXPECT_TRUE(isSafe(Audio));
    EXPECT_TRUE(isSafe(tagged + Audio));
    const int64_t tagBytes = int64_t(tagged.size()) - 10; // without the tag's header
    EXPECT_TRUE(isSafe(tagged + Audio, tagBytes));
    EXPECT_FALSE(isSafe(tagged + Audio, tagBytes - 1));
    // The header is cut off, or the tag claims more than the file holds, however high the limit.
    EXPECT_FALSE(isSafe("ID3\x03"));
    EXPECT_FALSE(isSafe(tagged.substr(0, 1000), int64_t(1) << 40));
    EXPECT_FALSE(
        isSafe("ID3\x03" + std::string{0, 0, 0x7F, 0x7F, 0x7F, 0x7F} + Audio, int64_t(1) << 40));
    // A version the program does not know, or a size that is not syncsafe.
    EXPECT_FALSE(isSafe(tag(5, frame23("TIT2", text("Hello"))) + Audio));
    EXPECT_FALSE(isSafe("ID3\x03" + std::string{0, 0, 0, 0, 0, char(0x80)} + Audio));
    // The tag library also finds a tag behind bytes that are not a frame, as many as they are.
    const std::string bombTag = tag(3, compressed23("TIT2", bomb(), 6));
    EXPECT_FALSE(isSafe("junk" + bombTag + Audio));
    EXPECT_FALSE(isSafe(std::string(65534, 'j') + bombTag + Audio)); // "ID" ends a 64 KiB block
    EXPECT_FALSE(id3v2TagIsSafe("/no/such/file.mp3"));
}

} // namespace
} // namespace sono
