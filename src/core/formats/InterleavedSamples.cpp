#include "formats/InterleavedSamples.h"

#include "document/Numbers.h"
#include "document/Progress.h"
#include "formats/ByteFile.h"

namespace sono {

int16_t reduce24To16(uint8_t lo, uint8_t mid, uint8_t high) {
    int high16 = int16_t(uint16_t(mid | high << 8));
    return int16_t(roundToInt((256.0 * high16 + lo - 128) / 256));
}

void splitInterleaved(const uint8_t* bytes, int64_t frames, int channels, int bytesPerSample,
                      Samples& left, Samples& right, const std::function<void(int)>& progressStep,
                      int steps) {
    auto decode = [bytesPerSample](const uint8_t* s) {
        return bytesPerSample == 1   ? int16_t(s[0])
               : bytesPerSample == 2 ? int16_t(readLE16(s))
                                     : reduce24To16(s[0], s[1], s[2]);
    };
    const int64_t frameBytes = int64_t(channels) * bytesPerSample;
    inSlices(
        frames, steps,
        [&](int64_t begin, int64_t end) {
            for (int64_t i = begin; i < end; ++i) {
                const uint8_t* frame = bytes + i * frameBytes;
                left[size_t(i)] = decode(frame);
                if (channels == 2) right[size_t(i)] = decode(frame + bytesPerSample);
            }
        },
        [&](int step) {
            if (progressStep) progressStep(step);
        });
}

} // namespace sono
