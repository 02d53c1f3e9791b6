#include "transport/LevelMeter.h"

#include <algorithm>
#include <cstdlib>

#include "support/Numbers.h"

namespace sono {

LevelDisplay levelDisplay(const Document& doc, MeterChannel channel, int64_t firstFrame, int width,
                          int height) {
    const bool eightBit = doc.BitsPerSample == 8;
    const int fullScale = eightBit ? 128 : 32767;
    const int centre = eightBit ? 128 : 0;
    auto level = [&](const Samples& samples, int64_t frame) {
        return frame >= 0 && frame < int64_t(samples.size())
                   ? std::abs(int(samples[size_t(frame)]) - centre)
                   : 0;
    };
    LevelDisplay display;
    display.rows.reserve(size_t(std::max(width, 0)));
    int peak = 0;
    for (int x = 0; x < width; ++x) {
        const int64_t frame = firstFrame + x;
        int value = 0;
        if (frame < doc.SampleCount) {
            if (channel == MeterChannel::Second && doc.isStereo())
                value = level(doc.RightSamples, frame);
            else if (channel == MeterChannel::BothMean && doc.isStereo())
                value = (level(doc.LeftSamples, frame) + level(doc.RightSamples, frame)) / 2;
            else
                value = level(doc.LeftSamples, frame);
        }
        peak = std::max(peak, value);
        display.rows.push_back(int((height - 1) - int64_t(height) * value / fullScale));
    }
    display.step = std::min(int(roundToInt(peak * 6.5)) / fullScale, 6);
    return display;
}

} // namespace sono
