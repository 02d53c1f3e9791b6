#include "formats/WaveHeader.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "formats/ByteFile.h"

namespace sono {

WaveFormat decodeFormatChunk(const uint8_t* p, size_t size) {
    WaveFormat format{int16_t(readLE16(p)),      readLE16(p + 2),
                      int32_t(readLE32(p + 4)),  int32_t(readLE32(p + 8)),
                      int16_t(readLE16(p + 12)), int16_t(readLE16(p + 14))};
    // The sub-format is a GUID whose first two bytes are the plain format tag and whose other
    // fourteen are the same for every such tag.
    static constexpr uint8_t GuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                             0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    constexpr uint16_t Extensible = 0xFFFE;
    if (uint16_t(format.formatTag) == Extensible && size >= size_t(FormatChunkBytesUsed) &&
        readLE16(p + 16) >= 22 && readLE16(p + 24) == 1 &&
        std::memcmp(p + 26, GuidTail, sizeof GuidTail) == 0)
        format.formatTag = 1;
    return format;
}

bool WaveHeader::readable() const {
    const int bits = format.bitsPerSample;
    return format.formatTag == 1 && (bits == 8 || bits == 16 || bits == 24) &&
           (format.channels == 1 || format.channels == 2) && format.sampleRate > 0;
}

int64_t WaveHeader::frames() const {
    const int64_t frameBytes = int64_t(format.channels) * ((format.bitsPerSample + 7) / 8);
    return frameBytes > 0 ? dataBytes / frameBytes : 0;
}

int64_t WaveHeader::seconds() const {
    return format.sampleRate > 0 ? frames() / format.sampleRate : 0;
}

std::optional<WaveHeader> readWaveHeader(const std::string& path) {
    auto file = InputFile::open(path);
    if (!file) return std::nullopt;
    uint8_t start[12];
    if (file->read(start, 12) < 12 || std::memcmp(start, "RIFF", 4) != 0 ||
        std::memcmp(start + 8, "WAVE", 4) != 0)
        return std::nullopt;
    WaveHeader header;
    header.fileBytes = file->size();
    bool sawFormat = false;
    int64_t position = 12;
    while (file->size() - position >= 8) {
        uint8_t chunk[8];
        if (!file->seek(position) || file->read(chunk, 8) < 8) return std::nullopt;
        const uint32_t declared = readLE32(chunk + 4);
        const int64_t body = position + 8;
        const int64_t size = int64_t(declared) + (declared & 1);
        if (std::memcmp(chunk, "data", 4) == 0) {
            if (!sawFormat) return std::nullopt;
            header.dataStart = body;
            header.dataBytes = declared > uint32_t(INT32_MAX) ? file->size() - body
                                                              : std::min(size, file->size() - body);
            return header;
        }
        if (declared > uint32_t(INT32_MAX) || size > file->size()) return std::nullopt;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            uint8_t fields[FormatChunkBytesUsed];
            const size_t wanted = size_t(std::min<int64_t>(size, FormatChunkBytesUsed));
            if (size < 16 || file->read(fields, wanted) < wanted) return std::nullopt;
            header.format = decodeFormatChunk(fields, wanted);
            sawFormat = true;
        }
        position = body + size;
    }
    return std::nullopt;
}

} // namespace sono
