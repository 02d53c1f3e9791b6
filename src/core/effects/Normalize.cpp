#include "effects/Normalize.h"

#include <algorithm>

#include "support/Numbers.h"
#include "document/SampleWidth.h"
#include "effects/VectorClones.h"

namespace sono {

namespace {
constexpr int PhaseSteps = StepCount / 2;

template <class Width>
SONO_VECTOR_CLONES void scaleToPeak(int16_t* __restrict x, int64_t begin, int64_t end,
                                    double divisor) {
    for (int64_t k = begin; k < end; ++k) {
        const int32_t scaled = (x[k] - Width::center) * Width::fullScale;
        x[k] = clipped<Width>(roundHalfEven(scaled / divisor + Width::center));
    }
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
        forEachStep(
            range.size(), stepDone,
            [&](int64_t begin, int64_t end) { scaleToPeak<Width>(x, begin, end, divisor); },
            PhaseSteps);
    });
}

} // namespace sono
