#include "formats/InterleavedSamples.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "formats/ByteFile.h"
#include "support/Numbers.h"
#include "support/Progress.h"
#include "support/SideBySide.h"

namespace sono {

int16_t reduce24To16(uint8_t lo, uint8_t mid, uint8_t high) {
    int high16 = int16_t(uint16_t(mid | high << 8));
    return int16_t(roundToInt((256.0 * high16 + lo - 128) / 256));
}

namespace {

constexpr bool LittleEndian = std::endian::native == std::endian::little;

// The loops below are kept plain, over pointers that cannot overlap, so that the compiler turns
// each into whole-vector loads, shuffles and stores: splitting and joining then run at the speed
// of memory.
void splitStereo16(const int16_t* __restrict in, size_t frames, int16_t* __restrict left,
                   int16_t* __restrict right) {
    for (size_t i = 0; i < frames; ++i) {
        left[i] = in[2 * i];
        right[i] = in[2 * i + 1];
    }
}

void splitStereo8(const uint8_t* __restrict in, size_t frames, int16_t* __restrict left,
                  int16_t* __restrict right) {
    for (size_t i = 0; i < frames; ++i) {
        left[i] = in[2 * i];
        right[i] = in[2 * i + 1];
    }
}

void widenMono8(const uint8_t* __restrict in, size_t frames, int16_t* __restrict left) {
    for (size_t i = 0; i < frames; ++i)
        left[i] = in[i];
}

void joinStereo16(const int16_t* __restrict left, const int16_t* __restrict right, size_t frames,
                  int16_t* __restrict out) {
    for (size_t i = 0; i < frames; ++i) {
        out[2 * i] = left[i];
        out[2 * i + 1] = right[i];
    }
}

void joinStereo8(const int16_t* __restrict left, const int16_t* __restrict right, size_t frames,
                 uint8_t* __restrict out) {
    for (size_t i = 0; i < frames; ++i) {
        out[2 * i] = uint8_t(left[i]);
        out[2 * i + 1] = uint8_t(right[i]);
    }
}

void narrowMono8(const int16_t* __restrict left, size_t frames, uint8_t* __restrict out) {
    for (size_t i = 0; i < frames; ++i)
        out[i] = uint8_t(left[i]);
}

// 24-bit samples, and 16-bit ones on a big-endian machine, are decoded one by one.
void splitDecoded(const uint8_t* bytes, size_t frames, int channels, int bytesPerSample,
                  int16_t* left, int16_t* right) {
    auto decode = [bytesPerSample](const uint8_t* s) {
        return bytesPerSample == 2 ? int16_t(readLE16(s)) : reduce24To16(s[0], s[1], s[2]);
    };
    const size_t frameBytes = size_t(channels) * bytesPerSample;
    for (size_t i = 0; i < frames; ++i) {
        const uint8_t* frame = bytes + i * frameBytes;
        left[i] = decode(frame);
        if (channels == 2) right[i] = decode(frame + bytesPerSample);
    }
}

// `bytes` is aligned for 16-bit access.
void splitBlock(const uint8_t* bytes, size_t frames, int channels, int bytesPerSample,
                int16_t* left, int16_t* right) {
    const bool stereo = channels == 2;
    if (bytesPerSample == 1 && stereo)
        splitStereo8(bytes, frames, left, right);
    else if (bytesPerSample == 1)
        widenMono8(bytes, frames, left);
    else if (bytesPerSample == 2 && LittleEndian && stereo)
        splitStereo16(reinterpret_cast<const int16_t*>(bytes), frames, left, right);
    else if (bytesPerSample == 2 && LittleEndian)
        std::memcpy(left, bytes, frames * 2);
    else
        splitDecoded(bytes, frames, channels, bytesPerSample, left, right);
}

} // namespace

void readInterleaved(InputFile& file, int64_t frames, int channels, int bytesPerSample,
                     uint8_t missing, int16_t* left, int16_t* right,
                     const std::function<void(int)>& progressStep, int steps) {
    const int64_t frameBytes = int64_t(channels) * bytesPerSample;
    const int64_t start = file.position();
    // Frames [from, from + count), in steps of their own.
    const auto readPart = [&](int64_t from, int64_t count,
                              const std::function<void(int)>& stepDone) {
        const int64_t blockFrames = int64_t(InterleavedBlockBytes) / frameBytes;
        std::vector<int16_t> block(InterleavedBlockBytes / 2);
        auto* bytes = reinterpret_cast<uint8_t*>(block.data());
        inSlices(
            count, steps,
            [&](int64_t begin, int64_t end) {
                for (int64_t first = from + begin; first < from + end; first += blockFrames) {
                    const int64_t blockCount = std::min(blockFrames, from + end - first);
                    const size_t wanted = size_t(blockCount * frameBytes);
                    const size_t got = file.readAt(start + first * frameBytes, bytes, wanted);
                    std::memset(bytes + got, missing, wanted - got);
                    splitBlock(bytes, size_t(blockCount), channels, bytesPerSample, left + first,
                               channels == 2 ? right + first : nullptr);
                }
            },
            [&](int step) {
                if (stepDone) stepDone(step);
            });
    };
    // The samples of a long sound come in two halves side by side, the first showing progress:
    // the split itself is quick, but the first touch of the fresh channel memory it writes, and
    // the copy out of the file cache, each take about as long as a plain read of the file.
    constexpr int64_t SideBySideFromBytes = int64_t(4) << 20;
    if (frames * frameBytes < SideBySideFromBytes) {
        readPart(0, frames, progressStep);
    } else {
        const int64_t half = frames / 2;
        sideBySide([&] { readPart(0, half, progressStep); },
                   [&] { readPart(half, frames - half, {}); });
    }
    file.seek(start + frames * frameBytes);
}

void joinInterleaved(const int16_t* left, const int16_t* right, size_t frames, int channels,
                     int bytesPerSample, uint8_t* bytes) {
    const bool stereo = channels == 2;
    if (bytesPerSample == 1 && stereo) {
        joinStereo8(left, right, frames, bytes);
    } else if (bytesPerSample == 1) {
        narrowMono8(left, frames, bytes);
    } else if (LittleEndian && stereo) {
        joinStereo16(left, right, frames, reinterpret_cast<int16_t*>(bytes));
    } else {
        for (size_t i = 0; i < frames; ++i)
            for (int c = 0; c < channels; ++c) {
                const uint16_t value = uint16_t(c == 0 ? left[i] : right[i]);
                bytes[(i * channels + c) * 2] = uint8_t(value & 0xFF);
                bytes[(i * channels + c) * 2 + 1] = uint8_t(value >> 8);
            }
    }
}

} // namespace sono
