#include "effects/Reverse.h"

#include <utility>

namespace sono {

void reverseFrames(std::span<int16_t> samples, FrameRange range, const StepObserver& stepDone) {
    if (range.size() == 0) return;
    // The middle frame of an odd range counts as a pair with itself.
    const int64_t pairs = (range.last - range.first) / 2 + 1;
    int16_t* low = samples.data() + range.first;
    int16_t* high = samples.data() + range.last;
    forEachStep(pairs, stepDone, [&](int64_t begin, int64_t end) {
        for (int64_t k = begin; k < end; ++k)
            std::swap(low[k], high[-k]);
    });
}

} // namespace sono
