#include "formats/FormatConversion.h"

#include <algorithm>

#include "document/SampleWidth.h"
#include "support/Numbers.h"
#include "support/Progress.h"

namespace sono {

namespace {
// New frame i takes source frame round(i / q); the last new frame is left at 0, as it has
// always been.
Samples resampled(const Samples& source, int64_t sourceFrames, double q, double newFrames,
                  const std::function<void(int)>& stepDone) {
    Samples out(size_t(std::max<int64_t>(roundToInt(newFrames - 1) + 1, 0)), 0);
    const int64_t filled = std::min(roundToInt(newFrames - 2) + 1, int64_t(out.size()));
    inSlices(
        std::max<int64_t>(filled, 0), StepCount,
        [&](int64_t begin, int64_t end) {
            for (int64_t i = begin; i < end; ++i) {
                int64_t from = roundToInt(double(i) / q);
                if (from >= 0 && from < sourceFrames && from < int64_t(source.size()))
                    out[size_t(i)] = source[size_t(from)];
            }
        },
        [&](int step) {
            if (stepDone) stepDone(step);
        });
    return out;
}

void sizeTo(Samples& channel, int64_t frames) {
    channel.resize(size_t(std::max<int64_t>(frames, 1)), 0);
}

double rateRatio(const Document& doc, int32_t rate) {
    return double(rate) / double(doc.SampleRate);
}
} // namespace

int64_t convertedFrameCount(const Document& doc, int32_t rate) {
    const int64_t frames = std::max(doc.SampleCount, 0);
    if (doc.SampleRate == float(rate)) return frames;
    return roundToInt(rateRatio(doc, rate) * double(frames));
}

NewSound convertedSound(const Document& doc, int bits, int32_t rate, int channels,
                        const std::function<void(int)>& stepDone) {
    const int64_t frames = std::max(doc.SampleCount, 0);
    const bool stereo = doc.isStereo();
    NewSound sound{doc.format(), int32_t(frames), {}, {0}};
    if (doc.SampleRate != float(rate)) {
        const double q = rateRatio(doc, rate);
        const double newFrames = q * double(frames);
        // The resampling is the long part: each channel fills its share of the bar.
        const int shares = stereo ? 2 : 1;
        const auto shareOf = [&](int index) -> std::function<void(int)> {
            if (!stepDone) return {};
            return [&, index](int step) { stepDone((index * StepCount + step) / shares); };
        };
        sound.LeftSamples = resampled(doc.LeftSamples, frames, q, newFrames, shareOf(0));
        if (stereo)
            sound.RightSamples = resampled(doc.RightSamples, frames, q, newFrames, shareOf(1));
        sound.SampleCount = int32_t(convertedFrameCount(doc, rate));
        sound.SampleRate = float(rate);
    } else {
        sound.LeftSamples = doc.LeftSamples;
        if (stereo) sound.RightSamples = doc.RightSamples;
    }
    // round(M' - 1) + 1 elements and round(M') frames can differ by one either way.
    sizeTo(sound.LeftSamples, sound.SampleCount);
    if (stereo) sizeTo(sound.RightSamples, sound.SampleCount);

    auto convertSamples = [&](auto convert) {
        for (int16_t& s : sound.LeftSamples)
            s = convert(s);
        if (stereo)
            for (int16_t& s : sound.RightSamples)
                s = convert(s);
    };
    if (doc.BitsPerSample == 16 && bits == 8) {
        convertSamples([](int16_t s) { return int16_t(s / 256 + 128); });
        sound.BitsPerSample = 8;
    } else if (doc.BitsPerSample == 8 && bits == 16) {
        convertSamples([](int16_t s) { return clipped<Bits16>((s - 128) * 256.0); });
        sound.BitsPerSample = 16;
    }

    if (stereo && channels == 1) {
        for (size_t i = 0; i < sound.LeftSamples.size(); ++i)
            sound.LeftSamples[i] =
                int16_t(roundToInt((double(sound.LeftSamples[i]) + sound.RightSamples[i]) / 2));
        sound.RightSamples.assign(1, 0);
        sound.Channels = 1;
    } else if (!stereo && channels == 2) {
        sound.RightSamples = sound.LeftSamples;
        sound.Channels = 2;
    }
    return sound;
}

} // namespace sono
