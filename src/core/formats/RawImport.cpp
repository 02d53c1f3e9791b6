#include "formats/RawImport.h"

#include <limits>
#include <new>

#include "formats/ByteFile.h"
#include "formats/InterleavedSamples.h"
#include "support/ChannelMemory.h"
#include "support/Numbers.h"

namespace sono {

RawReadResult readRawFile(const std::string& path, int bits, int channels,
                          const std::function<void(int)>& progressStep) {
    RawReadResult result;
    auto file = InputFile::open(path);
    if (!file) return result;
    const int bytesPerSample = bits / 8;
    const int64_t frames = roundToInt(double(file->size()) / channels / bytesPerSample);
    if (frames > std::numeric_limits<int32_t>::max()) return result;
    try {
        result.frames = int32_t(frames);
        const size_t slots = size_t(std::max<int64_t>(frames, 1));
        allocateChannel(result.left, slots, 0);
        allocateChannel(result.right, channels == 2 ? slots : 1, 0);
        if (bytesPerSample == 2 && channels == 1) {
            // A missing last byte stays 0 in the sample's high half.
            readSampleBlock(*file, result.left.data(), size_t(frames));
        } else {
            readInterleaved(*file, frames, channels, bytesPerSample, 0, result.left.data(),
                            result.right.data(), progressStep);
        }
    } catch (const std::bad_alloc&) {
        return RawReadResult{};
    }
    result.ok = true;
    return result;
}

} // namespace sono
