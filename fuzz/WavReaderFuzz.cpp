// Feeds arbitrary bytes to the WAV reader through a file and checks that whatever
// it accepts is a consistent sound; the open dialog's preview reads the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzInput.h"
#include "formats/WavReader.h"
#include "formats/WaveOverview.h"

namespace {
// The header lies within the file, and every column of the overview around real samples.
void checkPreview(const std::string& path, int64_t size) {
    auto header = sono::readWaveHeader(path);
    if (!header) return;
    if (header->fileBytes != size || header->dataStart < 20 || header->dataBytes < 0 ||
        header->dataStart + header->dataBytes > size)
        std::abort();
    sono::WaveOverview overview = sono::readWaveOverview(path, *header, 64);
    if (overview.left.size() > 64 || int64_t(overview.left.size()) > header->frames()) std::abort();
    if (!overview.right.empty() && overview.right.size() != overview.left.size()) std::abort();
    for (const auto* channel : {&overview.left, &overview.right})
        for (const sono::ColumnRange& range : *channel)
            if (!(-1 <= range.low && range.low <= range.high && range.high < 1)) std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = sono::fuzz::inputFile(data, size);
    checkPreview(path, int64_t(size));
    sono::WavReadResult read = sono::readWaveFile(path);
    if (read.failure != sono::WavFailure::None) {
        if (read.sound.SampleCount != 0 || read.sound.LeftSamples.size() != 1 ||
            read.sound.RightSamples.size() != 1)
            std::abort();
        return 0;
    }
    const bool stereo = read.sound.Channels == 2;
    if (read.sound.Channels != 1 && !stereo) std::abort();
    if (read.sound.BitsPerSample != 8 && read.sound.BitsPerSample != 16) std::abort();
    if (read.sound.SampleCount < 0 ||
        read.sound.LeftSamples.size() != size_t(read.sound.SampleCount))
        std::abort();
    if (read.sound.RightSamples.size() != (stereo ? size_t(read.sound.SampleCount) : 1))
        std::abort();
    if (read.sound.BitsPerSample == 8)
        for (int16_t s : read.sound.LeftSamples)
            if (s < 0 || s > 255) std::abort();
    return 0;
}
