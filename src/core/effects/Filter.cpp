#include "effects/Filter.h"

#include <cstdlib>

#include "support/Numbers.h"
#include "document/SampleWidth.h"

namespace sono {

void filterFrames(std::span<int16_t> samples, FrameRange range, FilterSettings settings,
                  bool eightBit, const StepObserver& stepDone) {
    // The threshold is kept in single precision, as the dialog's value is.
    const double fullScale = eightBit ? 128.0 : 32768.0;
    const double threshold = float(fullScale * settings.percent / 100.0);
    const double factor = settings.factor;
    const bool louder = settings.louder;
    int16_t* x = samples.data() + range.first;
    withWidth(eightBit, [&]<class Width>(Width) {
        forEachStep(range.size(), stepDone, [&](int64_t begin, int64_t end) {
            for (int64_t k = begin; k < end; ++k) {
                const int32_t centered = x[k] - Width::center;
                const double magnitude = std::abs(centered);
                if (louder ? magnitude > threshold : magnitude < threshold)
                    x[k] = clipped<Width>(roundHalfEven(centered * factor + Width::center));
            }
        });
    });
}

} // namespace sono
