#include "formats/WaveOverview.h"

#include <algorithm>
#include <new>

#include "formats/ByteFile.h"
#include "formats/InterleavedSamples.h"
#include "support/Progress.h"

namespace sono {

namespace {

float fullScaleFraction(const uint8_t* sample, int bytesPerSample) {
    switch (bytesPerSample) {
    case 1:
        return float(int(sample[0]) - 128) / 128;
    case 2:
        return float(int16_t(readLE16(sample))) / 32768;
    default:
        return float(reduce24To16(sample[0], sample[1], sample[2])) / 32768;
    }
}

void widen(ColumnRange& range, float value) {
    range.low = std::min(range.low, value);
    range.high = std::max(range.high, value);
}

} // namespace

WaveOverview readWaveOverview(const std::string& path, const WaveHeader& header, int columns,
                              const std::function<void(int)>& progressStep) {
    const int64_t frames = header.frames();
    const int64_t count = std::min<int64_t>(columns, frames);
    if (!header.readable() || count <= 0) return {};
    auto file = InputFile::open(path);
    if (!file) return {};

    const int channels = header.format.channels;
    const int bytesPerSample = header.format.bitsPerSample / 8;
    const int64_t frameBytes = int64_t(channels) * bytesPerSample;
    // Every column holds at least one frame, so each range ends up around real samples.
    const ColumnRange untouched{1, -1};
    WaveOverview overview;
    try {
        overview.left.assign(size_t(count), untouched);
        if (channels == 2) overview.right.assign(size_t(count), untouched);
        std::vector<uint8_t> bytes;
        inSlices(
            frames, StepCount,
            [&](int64_t begin, int64_t end) {
                bytes.assign(size_t((end - begin) * frameBytes), 0);
                file->seek(header.dataStart + begin * frameBytes);
                file->read(bytes.data(), bytes.size());
                for (int64_t i = begin; i < end; ++i) {
                    const uint8_t* frame = bytes.data() + (i - begin) * frameBytes;
                    const size_t column = size_t(i * count / frames);
                    widen(overview.left[column], fullScaleFraction(frame, bytesPerSample));
                    if (channels == 2)
                        widen(overview.right[column],
                              fullScaleFraction(frame + bytesPerSample, bytesPerSample));
                }
            },
            [&](int step) {
                if (progressStep) progressStep(step);
            });
    } catch (const std::bad_alloc&) {
        return {};
    }
    return overview;
}

} // namespace sono
