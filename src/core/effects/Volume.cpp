#include "effects/Volume.h"

#include <algorithm>
#include <vector>

#include "document/Numbers.h"
#include "document/SampleWidth.h"
#include "effects/VectorClones.h"

namespace sono {

namespace {
template <class Width> int16_t scaled(int sample, double factor) {
    return clipped<Width>(roundHalfEven(factor * (sample - Width::center) + Width::center));
}

// x[k] for k in [begin, end) scaled by start + slope * k. The frame number stays within 32 bits (a
// sound has fewer than 2^31 frames), which lets whole vectors of it become doubles.
template <class Width>
SONO_VECTOR_CLONES void scaleSloped(int16_t* __restrict x, int32_t begin, int32_t end, double start,
                                    double slope) {
    for (int32_t k = begin; k < end; ++k)
        x[k] = scaled<Width>(x[k], start + slope * double(k));
}

// With one factor for the whole range a result depends on the sample alone; over a long range it
// is cheaper to work out all 65536 results once, with the same arithmetic, and look them up.
constexpr int64_t TableWorthFrames = int64_t(1) << 18;

template <class Width> std::vector<int16_t> scaledTable(double factor) {
    std::vector<int16_t> table(65536);
    for (int sample = -32768; sample <= 32767; ++sample)
        table[uint16_t(sample)] = scaled<Width>(sample, factor);
    return table;
}

void lookUp(int16_t* __restrict x, int64_t begin, int64_t end, const int16_t* __restrict table) {
    for (int64_t k = begin; k < end; ++k)
        x[k] = table[uint16_t(x[k])];
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
        if (slope == 0 && lastFactor == start && range.size() >= TableWorthFrames) {
            const std::vector<int16_t> table = scaledTable<Width>(start);
            forEachStep(range.size(), stepDone,
                        [&](int64_t begin, int64_t end) { lookUp(x, begin, end, table.data()); });
            return;
        }
        forEachStep(range.size(), stepDone, [&](int64_t begin, int64_t end) {
            const int64_t sloped = std::min(end, length);
            if (begin < sloped)
                scaleSloped<Width>(x, int32_t(begin), int32_t(sloped), start, slope);
            if (end > length) x[length] = scaled<Width>(x[length], lastFactor);
        });
    });
}

} // namespace sono
