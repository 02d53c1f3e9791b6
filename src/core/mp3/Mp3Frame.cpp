#include "mp3/Mp3Frame.h"

#include <algorithm>
#include <array>
#include <vector>

#include "support/Numbers.h"
#include "support/Texts.h"
#include "formats/ByteFile.h"

namespace sono {

namespace {

// Rows 1..14 of the standard tables, in the order MPEG-1 Layer I, II, III, MPEG-2 Layer I, II,
// III.
constexpr std::array<std::array<int, 6>, 14> Bitrates = {{
    {32, 32, 32, 32, 8, 8},
    {64, 48, 40, 48, 16, 16},
    {96, 56, 48, 56, 24, 24},
    {128, 64, 56, 64, 32, 32},
    {160, 80, 64, 80, 40, 40},
    {192, 96, 80, 96, 48, 48},
    {224, 112, 96, 112, 56, 56},
    {256, 128, 112, 128, 64, 64},
    {288, 160, 128, 144, 80, 80},
    {320, 192, 160, 160, 96, 96},
    {352, 224, 192, 176, 112, 112},
    {384, 256, 224, 192, 128, 128},
    {416, 320, 256, 224, 144, 144},
    {448, 384, 320, 256, 160, 160},
}};

// The bit at position `bit` counted from the most significant bit of the first byte.
int bitAt(std::span<const uint8_t> bytes, size_t bit) {
    return (bytes[bit / 8] >> (7 - bit % 8)) & 1;
}

int bitsAt(std::span<const uint8_t> bytes, size_t bit, int count) {
    int value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 1 | bitAt(bytes, bit + size_t(i));
    return value;
}

} // namespace

int BitrateTable(int index, int column) {
    if (index < 1 || index > 14 || column < 0 || column > 7) return 0;
    // Column 7 is MPEG-1 Layer I, 6 Layer II, 5 Layer III; 3, 2, 1 the same for MPEG-2.
    static constexpr int order[8] = {-1, 5, 4, 3, -1, 2, 1, 0};
    return order[column] < 0 ? 0 : Bitrates[size_t(index - 1)][size_t(order[column])];
}

std::optional<Mp3FrameTexts> mp3FrameInfoOf(std::span<const uint8_t> start, int64_t fileBytes,
                                            uint8_t language) {
    const size_t searched = std::min<size_t>(start.size(), 4096);
    // Twelve set bits, byte-aligned (FF then F_) or half-byte aligned (_F then FF), followed by
    // the 16 bits V L L P B B B B S S p r M M x x.
    std::optional<size_t> header;
    for (size_t i = 0; i + 1 < searched && !header; ++i) {
        if (start[i] == 0xFF && (start[i + 1] >> 4) == 0xF)
            header = i * 8 + 12;
        else if ((start[i] & 0x0F) == 0x0F && start[i + 1] == 0xFF)
            header = i * 8 + 4 + 12;
    }
    if (!header || (*header + 16 + 7) / 8 > start.size()) return std::nullopt;
    const int version = bitsAt(start, *header, 1);
    const int layer = bitsAt(start, *header + 1, 2);
    const int bitrateIndex = bitsAt(start, *header + 4, 4);
    const int rateIndex = bitsAt(start, *header + 8, 2);
    const int mode = bitsAt(start, *header + 12, 2);
    const int kbps = BitrateTable(bitrateIndex, 4 * version + layer);
    if (kbps == 0) return std::nullopt;

    Mp3FrameTexts texts;
    texts.bitrate = std::to_string(kbps);
    static constexpr const char* rates[8] = {"22050", "24000", "16000", "?",
                                             "44100", "48000", "32000", "?"};
    texts.sampleRate = rates[4 * version + rateIndex];
    static constexpr const char* modes[4] = {"stereo", "joint stereo", "dual channel",
                                             "single channel"};
    texts.channelMode = modes[mode];
    texts.seconds = roundToInt(double(fileBytes) * 8 / (double(kbps) * 1000));
    std::string seconds = std::to_string(texts.seconds % 60);
    if (seconds.size() == 1) seconds = "0" + seconds;
    texts.duration =
        LangText(language, "Duur: ", "Time: ") + std::to_string(texts.seconds / 60) + ":" + seconds;
    return texts;
}

std::optional<Mp3FrameTexts> Mp3FrameInfo(const std::string& path, uint8_t language) {
    auto file = InputFile::open(path);
    if (!file) return std::nullopt;
    // The frames begin behind an ID3v2 tag, which may be far longer than the bytes searched
    // (a cover picture) and holds bytes that look like a frame sync.
    uint8_t tag[10] = {};
    int64_t audioStart = 0;
    if (file->read(tag, sizeof tag) == sizeof tag && tag[0] == 'I' && tag[1] == 'D' &&
        tag[2] == '3' && ((tag[6] | tag[7] | tag[8] | tag[9]) & 0x80) == 0) {
        const int64_t size =
            int64_t(tag[6]) << 21 | int64_t(tag[7]) << 14 | int64_t(tag[8]) << 7 | int64_t(tag[9]);
        const bool footer = (tag[5] & 0x10) != 0;
        audioStart =
            std::min<int64_t>(file->size(), int64_t(sizeof tag) + size + (footer ? 10 : 0));
    }
    if (!file->seek(audioStart)) return std::nullopt;
    std::vector<uint8_t> start(size_t(std::min<int64_t>(file->size() - audioStart, 4096)));
    start.resize(file->read(start.data(), start.size()));
    return mp3FrameInfoOf(start, file->size() - audioStart, language);
}

} // namespace sono
