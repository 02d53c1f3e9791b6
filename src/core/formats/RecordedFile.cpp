#include "formats/RecordedFile.h"

#include <cstring>
#include <new>

#include "formats/ByteFile.h"
#include "formats/InterleavedSamples.h"
#include "formats/WaveHeader.h"

namespace sono {

namespace {
constexpr int SplitSteps = 50;
} // namespace

std::optional<ClipSource> readRecordedFile(const std::string& path,
                                           const std::function<void(int)>& stepDone) {
    auto file = InputFile::open(path);
    if (!file) return std::nullopt;
    uint8_t header[12];
    if (file->read(header, 12) < 12 || std::memcmp(header, "RIFF", 4) != 0 ||
        std::memcmp(header + 8, "WAVE", 4) != 0)
        return std::nullopt;
    ClipSource clip;
    WaveFormat format;
    bool sawFormat = false;
    try {
        int64_t position = 12;
        while (file->size() - position >= 8) {
            uint8_t chunk[8];
            if (!file->seek(position) || file->read(chunk, 8) < 8) return std::nullopt;
            const int64_t size = readLE32(chunk + 4);
            const int64_t body = position + 8;
            position = body + size;
            if (std::memcmp(chunk, "fmt ", 4) == 0) {
                uint8_t fields[16];
                if (size < 16 || file->read(fields, 16) < 16) return std::nullopt;
                format = decodeFormatChunk(fields, sizeof fields);
                if (format.formatTag != 1) return std::nullopt;
                sawFormat = true;
            } else if (std::memcmp(chunk, "data", 4) == 0) {
                // The frames the chunk holds, as far as the file holds them.
                const int channels = format.channels;
                const int bytesPerSample = format.bitsPerSample / 8;
                if (!sawFormat || (channels != 1 && channels != 2) ||
                    (bytesPerSample != 1 && bytesPerSample != 2))
                    return std::nullopt;
                const int64_t present = std::min(size, file->size() - body);
                const int64_t frames = present / channels / bytesPerSample;
                if (frames > MaxSampleCount) return std::nullopt;
                clip.a.assign(size_t(frames), 0);
                clip.b.assign(channels == 2 ? size_t(frames) : 0, 0);
                readInterleaved(*file, frames, channels, bytesPerSample, 0, clip.a.data(),
                                clip.b.data(), stepDone, SplitSteps);
                clip.frames = int32_t(frames);
                // The clip is laid out by the format it was read with: a format chunk
                // further on must not relabel it.
                break;
            }
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    // Without a frame there is nothing to merge.
    if (!sawFormat || clip.frames == 0 ||
        (format.bitsPerSample != 8 && format.bitsPerSample != 16) ||
        (format.channels != 1 && format.channels != 2) || format.sampleRate <= 0)
        return std::nullopt;
    clip.bits = format.bitsPerSample;
    clip.rate = format.sampleRate;
    clip.channels = format.channels;
    return clip;
}

} // namespace sono
