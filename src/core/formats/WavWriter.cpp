#include "formats/WavWriter.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

#include "formats/ByteFile.h"
#include "formats/InterleavedSamples.h"
#include "support/Numbers.h"
#include "support/Progress.h"

namespace sono {

WavLayout wavLayout(const Document& doc, double frames, float bits) {
    if (bits == 0) bits = doc.BitsPerSample;
    WavLayout layout;
    layout.blockAlign = int16_t(roundToInt(double(bits) * doc.Channels) / 8);
    layout.byteRate = int32_t(roundToInt(double(layout.blockAlign) * doc.SampleRate));
    double bitCount = roundHalfEven(frames * doc.Channels * bits);
    layout.dataSize = bitCount <= 0 ? 0 : int64_t(bitCount) / 8;
    return layout;
}

void padOddTexts(Document& doc) {
    for (std::string& text : doc.Info.text)
        if (text.size() % 2 == 1) text += '\0';
    if (doc.DispText.size() % 2 == 1) doc.DispText += '\0';
}

namespace {

std::string headerBytes(const Document& doc, const WavLayout& layout, float bits,
                        uint32_t riffSize) {
    std::string h = "RIFF";
    appendLE32(h, riffSize);
    h += "WAVEfmt ";
    appendLE32(h, 16);
    appendLE16(h, 1);
    appendLE16(h, uint16_t(roundToInt(doc.Channels)));
    appendLE32(h, uint32_t(roundToInt(doc.SampleRate)));
    appendLE32(h, uint32_t(layout.byteRate));
    appendLE16(h, uint16_t(layout.blockAlign));
    appendLE16(h, uint16_t(roundToInt(bits)));
    h += "data";
    appendLE32(h, uint32_t(layout.dataSize));
    return h;
}

std::string trailerBytes(const Document& doc) {
    std::string fields;
    for (size_t i = 0; i < doc.Info.text.size(); ++i) {
        const std::string& text = doc.Info.text[i];
        if (text.empty()) continue;
        fields += InfoWriteOrder[i];
        appendLE32(fields, uint32_t(text.size()));
        fields += text;
    }
    std::string t = "LIST";
    appendLE32(t, uint32_t(4 + fields.size()));
    t += "INFO" + fields;
    if (!doc.DispText.empty()) {
        t += "DISP";
        appendLE32(t, uint32_t(doc.DispText.size() + 4));
        appendLE32(t, 1);
        t += doc.DispText;
    }
    return t;
}

// The samples as file bytes, written in blocks: interleaved for stereo, one byte per sample for 8
// bits. Frames past the end of the arrays are written as 0, as is a part of a frame the data
// size leaves over.
void writeSamples(ReplacingFile& file, const Document& doc, int64_t first, int64_t dataSize,
                  bool widen, const std::function<void(int)>& progress) {
    const int channels = doc.isStereo() ? 2 : 1;
    const int sampleBytes = doc.BitsPerSample == 8 && !widen ? 1 : 2;
    const int64_t frameBytes = channels * sampleBytes;
    const int64_t frames = dataSize / frameBytes;
    int64_t held = int64_t(doc.LeftSamples.size()) - first;
    if (channels == 2) held = std::min(held, int64_t(doc.RightSamples.size()) - first);
    held = std::clamp<int64_t>(held, 0, frames);
    const int16_t* left = held > 0 ? doc.LeftSamples.data() + first : nullptr;
    const int16_t* right = held > 0 && channels == 2 ? doc.RightSamples.data() + first : nullptr;
    const bool direct =
        channels == 1 && sampleBytes == 2 && !widen && std::endian::native == std::endian::little;
    const int64_t blockFrames = int64_t(InterleavedBlockBytes) / frameBytes;
    std::vector<int16_t> block(InterleavedBlockBytes / 2);
    auto* bytes = reinterpret_cast<uint8_t*>(block.data());
    // 8-bit slots widened to 16 bits, a block at a time.
    std::vector<int16_t> wideLeft(widen ? size_t(blockFrames) : 0), wideRight(wideLeft.size());
    auto widened = [](int16_t x) { return int16_t(std::max(-32766, (x - 128) * 256)); };
    auto widenInto = [&](const int16_t* from, int64_t count, std::vector<int16_t>& into) {
        std::transform(from, from + count, into.begin(), widened);
        return into.data();
    };
    inSlices(
        frames, StepCount,
        [&](int64_t begin, int64_t end) {
            for (int64_t at = begin; at < std::min(end, held); at += blockFrames) {
                const int64_t count = std::min({blockFrames, end - at, held - at});
                if (direct) {
                    file.write(left + at, size_t(count) * 2);
                } else if (widen) {
                    joinInterleaved(widenInto(left + at, count, wideLeft),
                                    right ? widenInto(right + at, count, wideRight) : nullptr,
                                    size_t(count), channels, sampleBytes, bytes);
                    file.write(bytes, size_t(count * frameBytes));
                } else {
                    joinInterleaved(left + at, right ? right + at : nullptr, size_t(count),
                                    channels, sampleBytes, bytes);
                    file.write(bytes, size_t(count * frameBytes));
                }
            }
            // Past the end of the shorter array, sample by sample.
            for (int64_t at = std::max(begin, held); at < end; ++at) {
                for (int c = 0; c < channels; ++c) {
                    const Samples& source = c == 0 ? doc.LeftSamples : doc.RightSamples;
                    const int64_t frame = first + at;
                    const bool inArray = frame < int64_t(source.size());
                    const int16_t value = !inArray ? 0
                                          : widen  ? widened(source[size_t(frame)])
                                                   : source[size_t(frame)];
                    joinInterleaved(&value, nullptr, 1, 1, sampleBytes, bytes);
                    file.write(bytes, size_t(sampleBytes));
                }
            }
        },
        [&](int step) {
            if (progress) progress(step);
        });
    const uint8_t zeros[4] = {};
    file.write(zeros, size_t(dataSize - frames * frameBytes));
}

} // namespace

std::string canonicalWaveHeader(int channels, int32_t rate, int bits, uint32_t dataBytes,
                                uint32_t riffSize) {
    const int blockAlign = channels * bits / 8;
    std::string h = "RIFF";
    appendLE32(h, riffSize);
    h += "WAVEfmt ";
    appendLE32(h, 16);
    appendLE16(h, 1);
    appendLE16(h, uint16_t(channels));
    appendLE32(h, uint32_t(rate));
    appendLE32(h, uint32_t(int64_t(blockAlign) * rate));
    appendLE16(h, uint16_t(blockAlign));
    appendLE16(h, uint16_t(bits));
    h += "data";
    appendLE32(h, dataBytes);
    return h;
}

WriteFailure writeWaveFile(const std::string& path, const Document& doc, int64_t firstFrame,
                           double frameCount, const std::function<void(int)>& progressStep,
                           SampleWidthInFile width) {
    const bool widen = width == SampleWidthInFile::Sixteen && doc.BitsPerSample == 8;
    const float bits = widen ? 16 : doc.BitsPerSample;
    WavLayout layout = wavLayout(doc, frameCount, bits);
    std::string trailer = trailerBytes(doc);
    const int64_t riffSize = 36 + layout.dataSize + int64_t(trailer.size());
    if (riffSize > int64_t(std::numeric_limits<uint32_t>::max())) return WriteFailure::TooLarge;
    ReplacingFile file(path);
    std::string header = headerBytes(doc, layout, bits, uint32_t(riffSize));
    file.write(header.data(), header.size());
    writeSamples(file, doc, firstFrame, layout.dataSize, widen, progressStep);
    file.write(trailer.data(), trailer.size());
    file.commit();
    return file.failure();
}

} // namespace sono
