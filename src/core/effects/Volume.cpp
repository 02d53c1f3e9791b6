#include "effects/Volume.h"

#include <algorithm>

#include "document/Numbers.h"
#include "document/SampleWidth.h"
#include "effects/VectorClones.h"

namespace sono {

namespace {
// x[k] for k in [begin, end) scaled by start + slope * k. The frame number stays within 32 bits (a
// sound has fewer than 2^31 frames), which lets whole vectors of it become doubles.
template <class Width>
SONO_VECTOR_CLONES void scaleSloped(int16_t* __restrict x, int32_t begin, int32_t end, double start,
                                    double slope) {
    for (int32_t k = begin; k < end; ++k)
        x[k] = clipped<Width>(
            roundHalfEven((start + slope * double(k)) * (x[k] - Width::center) + Width::center));
}
} // namespace

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
        forEachStep(range.size(), stepDone, [&](int64_t begin, int64_t end) {
            const int64_t sloped = std::min(end, length);
            if (begin < sloped)
                scaleSloped<Width>(x, int32_t(begin), int32_t(sloped), start, slope);
            if (end > length)
                scaleSloped<Width>(x, int32_t(length), int32_t(length) + 1, lastFactor, 0);
        });
    });
}

} // namespace sono
