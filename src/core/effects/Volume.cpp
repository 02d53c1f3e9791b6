#include "effects/Volume.h"

#include <algorithm>

#include "document/Numbers.h"
#include "document/SampleWidth.h"

namespace sono {

void changeVolume(std::span<int16_t> samples, FrameRange range, VolumeSettings settings,
                  bool eightBit, const StepObserver& stepDone) {
    const double start = settings.startFactor;
    const int64_t length = range.last - range.first;
    const double slope = length > 0 ? (settings.endFactor - start) / double(length) : 0.0;
    // The slope times the length need not give the end factor to the last bit, so the last frame
    // takes it directly: a fade to 1.0 really ends with the sample unchanged.
    const double lastFactor = length > 0 ? double(settings.endFactor) : start;
    int16_t* x = samples.data() + range.first;
    withWidth(eightBit, [&]<class Width>(Width) {
        auto scale = [](int16_t sample, double factor) {
            return clipped<Width>(roundHalfEven(factor * (sample - Width::center) + Width::center));
        };
        forEachStep(range.size(), stepDone, [&](int64_t begin, int64_t end) {
            const int64_t sloped = std::min(end, length);
            for (int64_t k = begin; k < sloped; ++k)
                x[k] = scale(x[k], start + slope * double(k));
            if (end > length) x[length] = scale(x[length], lastFactor);
        });
    });
}

} // namespace sono
