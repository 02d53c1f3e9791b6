#include "formats/WavWriter.h"

#include <bit>
#include <cmath>
#include <limits>

#include "document/Numbers.h"
#include "document/Progress.h"
#include "formats/ByteFile.h"

namespace sono {

WavLayout wavLayout(const Document& doc, double frames) {
    WavLayout layout;
    layout.blockAlign = int16_t(roundToInt(double(doc.BitsPerSample) * doc.Channels) / 8);
    layout.byteRate = int32_t(roundToInt(double(layout.blockAlign) * doc.SampleRate));
    double bits = roundHalfEven(frames * doc.Channels * doc.BitsPerSample);
    layout.dataSize = bits <= 0 ? 0 : int64_t(bits) / 8;
    return layout;
}

void padOddTexts(Document& doc) {
    for (std::string& text : doc.Info.text)
        if (text.size() % 2 == 1) text += '\0';
    if (doc.DispText.size() % 2 == 1) doc.DispText += '\0';
}

namespace {

std::string headerBytes(const Document& doc, const WavLayout& layout, uint32_t riffSize) {
    std::string h = "RIFF";
    appendLE32(h, riffSize);
    h += "WAVEfmt ";
    appendLE32(h, 16);
    appendLE16(h, 1);
    appendLE16(h, uint16_t(roundToInt(doc.Channels)));
    appendLE32(h, uint32_t(roundToInt(doc.SampleRate)));
    appendLE32(h, uint32_t(layout.byteRate));
    appendLE16(h, uint16_t(layout.blockAlign));
    appendLE16(h, uint16_t(roundToInt(doc.BitsPerSample)));
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

// The samples as file bytes: interleaved for stereo, one byte per sample for 8 bits.
std::string gatherSamples(const Document& doc, int64_t first, int64_t dataSize,
                          const std::function<void(int)>& progress) {
    const bool eightBit = doc.BitsPerSample == 8;
    const int channels = doc.isStereo() ? 2 : 1;
    const int sampleBytes = eightBit ? 1 : 2;
    std::string out(size_t(dataSize), '\0');
    const int64_t frames = dataSize / (sampleBytes * channels);
    auto* bytes = reinterpret_cast<uint8_t*>(out.data());
    inSlices(
        frames, StepCount,
        [&](int64_t begin, int64_t end) {
            for (int64_t i = begin; i < end; ++i) {
                for (int c = 0; c < channels; ++c) {
                    const Samples& source = c == 0 ? doc.LeftSamples : doc.RightSamples;
                    int64_t frame = first + i;
                    int16_t value = frame < int64_t(source.size()) ? source[size_t(frame)] : 0;
                    uint8_t* target = bytes + (i * channels + c) * sampleBytes;
                    if (eightBit) {
                        target[0] = uint8_t(value);
                    } else {
                        target[0] = uint8_t(value & 0xFF);
                        target[1] = uint8_t(uint16_t(value) >> 8);
                    }
                }
            }
        },
        [&](int step) {
            if (progress) progress(step);
        });
    return out;
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

bool writeWaveFile(const std::string& path, const Document& doc, int64_t firstFrame,
                   double frameCount, const std::function<void(int)>& progressStep) {
    WavLayout layout = wavLayout(doc, frameCount);
    std::string trailer = trailerBytes(doc);
    const int64_t riffSize = 36 + layout.dataSize + int64_t(trailer.size());
    if (riffSize > int64_t(std::numeric_limits<uint32_t>::max())) return false;
    ReplacingFile file(path);
    std::string header = headerBytes(doc, layout, uint32_t(riffSize));
    file.write(header.data(), header.size());
    const bool wholeMono16 = doc.BitsPerSample == 16 && !doc.isStereo() && firstFrame == 0 &&
                             std::endian::native == std::endian::little &&
                             layout.dataSize <= int64_t(doc.LeftSamples.size()) * 2;
    if (wholeMono16) {
        file.write(doc.LeftSamples.data(), size_t(layout.dataSize));
    } else {
        std::string samples = gatherSamples(doc, firstFrame, layout.dataSize, progressStep);
        file.write(samples.data(), samples.size());
    }
    file.write(trailer.data(), trailer.size());
    return file.commit();
}

} // namespace sono
