#include "effects/Normalize.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "document/SampleWidth.h"
#include "support/Numbers.h"

namespace sono {

namespace {
constexpr int PhaseSteps = StepCount / 2;

// Every sample value has one normalized value, so the values are worked out once each and the
// pass only looks them up: a sound of millions of frames then costs a load per sample instead of
// a division, with the same arithmetic behind every value.
template <class Width> std::vector<int16_t> normalizedValues(double divisor) {
    std::vector<int16_t> values(size_t(1) << 16);
    for (int32_t v = std::numeric_limits<int16_t>::min(); v <= std::numeric_limits<int16_t>::max();
         ++v) {
        const int32_t scaled = (v - Width::center) * Width::fullScale;
        values[uint16_t(v)] = clipped<Width>(roundHalfEven(scaled / divisor + Width::center));
    }
    return values;
}
} // namespace

void scanExtremes(std::span<const int16_t> samples, FrameRange range, SampleExtremes& extremes,
                  const StepObserver& stepDone) {
    const int16_t* x = samples.data() + range.first;
    int32_t largest = extremes.largest;
    int32_t smallest = extremes.smallest;
    forEachStep(
        range.size(), stepDone,
        [&](int64_t begin, int64_t end) {
            for (int64_t k = begin; k < end; ++k) {
                largest = std::max<int32_t>(largest, x[k]);
                smallest = std::min<int32_t>(smallest, x[k]);
            }
        },
        PhaseSteps);
    extremes = {largest, smallest};
}

int32_t peakOf(const SampleExtremes& extremes, bool eightBit) {
    const int32_t center = eightBit ? Bits8::center : Bits16::center;
    return std::max(extremes.largest - center, -(extremes.smallest - center));
}

void normalizeFrames(std::span<int16_t> samples, FrameRange range, int32_t peak, bool eightBit,
                     const StepObserver& stepDone) {
    int16_t* x = samples.data() + range.first;
    const double divisor = peak;
    withWidth(eightBit, [&]<class Width>(Width) {
        const std::vector<int16_t> values = normalizedValues<Width>(divisor);
        forEachStep(
            range.size(), stepDone,
            [&](int64_t begin, int64_t end) {
                for (int64_t k = begin; k < end; ++k)
                    x[k] = values[uint16_t(x[k])];
            },
            PhaseSteps);
    });
}

} // namespace sono
