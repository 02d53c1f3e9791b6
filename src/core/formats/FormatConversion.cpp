#include "formats/FormatConversion.h"

#include <algorithm>

#include "document/Numbers.h"
#include "effects/SampleWidth.h"

namespace sono {

namespace {
// New frame i takes source frame round(i / q); the last new frame is left at 0, as it has
// always been.
Samples resampled(const Samples& source, int64_t sourceFrames, double q, double newFrames) {
    Samples out(size_t(std::max<int64_t>(roundToInt(newFrames - 1) + 1, 0)), 0);
    const int64_t filled = roundToInt(newFrames - 2);
    for (int64_t i = 0; i <= filled && i < int64_t(out.size()); ++i) {
        int64_t from = roundToInt(double(i) / q);
        if (from >= 0 && from < sourceFrames) out[size_t(i)] = source[size_t(from)];
    }
    return out;
}

void sizeTo(Samples& channel, int32_t frames) {
    channel.resize(size_t(std::max(frames, 1)), 0);
}
} // namespace

void convertFormat(Document& doc, int bits, int32_t rate, int channels) {
    const int64_t frames = std::max(doc.SampleCount, 0);
    sizeTo(doc.LeftSamples, doc.SampleCount);
    if (doc.isStereo()) sizeTo(doc.RightSamples, doc.SampleCount);

    if (doc.SampleRate != float(rate)) {
        const double q = double(rate) / double(doc.SampleRate);
        const double newFrames = q * double(frames);
        doc.LeftSamples = resampled(doc.LeftSamples, frames, q, newFrames);
        if (doc.isStereo()) doc.RightSamples = resampled(doc.RightSamples, frames, q, newFrames);
        doc.SampleCount = int32_t(roundToInt(newFrames));
        doc.SampleRate = float(rate);
        // round(M' - 1) + 1 elements and round(M') frames can differ by one either way.
        sizeTo(doc.LeftSamples, doc.SampleCount);
        if (doc.isStereo()) sizeTo(doc.RightSamples, doc.SampleCount);
    }

    auto convertSamples = [&](auto convert) {
        for (int16_t& s : doc.LeftSamples)
            s = convert(s);
        if (doc.isStereo())
            for (int16_t& s : doc.RightSamples)
                s = convert(s);
    };
    if (doc.BitsPerSample == 16 && bits == 8) {
        convertSamples([](int16_t s) { return int16_t(s / 256 + 128); });
        doc.BitsPerSample = 8;
    } else if (doc.BitsPerSample == 8 && bits == 16) {
        convertSamples([](int16_t s) { return clipped<Bits16>((s - 128) * 256.0); });
        doc.BitsPerSample = 16;
    }

    if (doc.isStereo() && channels == 1) {
        for (size_t i = 0; i < doc.LeftSamples.size(); ++i)
            doc.LeftSamples[i] =
                int16_t(roundToInt((double(doc.LeftSamples[i]) + doc.RightSamples[i]) / 2));
        doc.RightSamples.assign(1, 0);
        doc.Channels = 1;
    } else if (!doc.isStereo() && channels == 2) {
        doc.RightSamples = doc.LeftSamples;
        doc.Channels = 2;
    }
}

} // namespace sono
