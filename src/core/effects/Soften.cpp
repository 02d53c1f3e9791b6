#include "effects/Soften.h"

#include "document/SampleWidth.h"

namespace sono {

void softenFrames(std::span<int16_t> samples, FrameRange range, bool eightBit,
                  const StepObserver& stepDone) {
    int16_t* x = samples.data() + range.first;
    withWidth(eightBit, [&]<class Width>(Width) {
        forEachStep(range.size(), stepDone, [&](int64_t begin, int64_t end) {
            for (int64_t k = begin; k < end; ++k)
                x[k] = clipped<Width>(double(int32_t(x[k + 1]) - x[k] + Width::center));
        });
    });
}

} // namespace sono
