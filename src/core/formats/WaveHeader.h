#pragma once
// The format of a WAV file without its samples: the fields of the format chunk, and where the
// samples are. The reader decodes its format chunk here; the open dialog's preview learns the
// whole header from readWaveHeader without loading the sound.
#include <cstdint>
#include <optional>
#include <string>

namespace sono {

// The first 16 bytes of a format chunk, as stored (nothing checked), except that the extensible
// kind of chunk (tag 0xFFFE, at least 40 bytes) whose sub-format is PCM reads as plain PCM: other
// programs write 24-bit and some 16-bit files that way. Its samples fill the container size
// bitsPerSample, so the valid bits it also names change nothing in how they are read.
struct WaveFormat {
    int16_t formatTag = 0; // 1 = PCM
    uint16_t channels = 0;
    int32_t sampleRate = 0;
    int32_t byteRate = 0;
    int16_t blockAlign = 0;
    int16_t bitsPerSample = 0;
};
// The largest part of a format chunk that decodeFormatChunk looks at.
constexpr int FormatChunkBytesUsed = 40;
// `size` bytes of the chunk's body are at `body`, at least 16.
WaveFormat decodeFormatChunk(const uint8_t* body, size_t size);

struct WaveHeader {
    WaveFormat format;
    int64_t fileBytes = 0;
    int64_t dataStart = 0; // offset of the first sample byte
    int64_t dataBytes = 0; // the data chunk's size raised to even, but no more than the file holds

    // Samples the reader can take: PCM, 8, 16 or 24 bits, mono or stereo, a positive rate.
    bool readable() const;
    // Whole frames in the data chunk (0 without a frame size).
    int64_t frames() const;
    // Whole seconds of sound, truncated (0 without a positive rate).
    int64_t seconds() const;
};

// The header of a file that starts with "RIFF", a size and "WAVE" and has a "fmt " chunk of at
// least 16 bytes before its "data" chunk; nullopt for any other file. Chunks are walked by the
// reader's rules: sizes raised to even, a chunk other than "data" larger than the file ends the
// walk with nullopt, a "data" chunk larger than the file holds what is there.
std::optional<WaveHeader> readWaveHeader(const std::string& path);

} // namespace sono
