#include "effects/Shrink.h"

#include <algorithm>

#include "support/Numbers.h"

namespace sono {

void shrinkFrames(std::span<int16_t> samples, int64_t frameCount, FrameRange range,
                  int32_t blockSize, const StepObserver& stepDone) {
    const int64_t n = blockSize;
    const int64_t lastBlockStart = (frameCount - 1) / n * n; // frames from here on stay
    const double divisor = blockSize;
    int16_t* x = samples.data();
    forEachStep(range.size(), stepDone, [&](int64_t begin, int64_t end) {
        const int64_t stop = std::min(range.first + end, lastBlockStart);
        int64_t k = range.first + begin;
        while (k < stop) {
            const int64_t blockStart = k / n * n;
            const int32_t a = x[blockStart];
            const int32_t c = x[blockStart + n];
            if (k == blockStart) ++k; // block starts keep their values
            const int64_t blockEnd = std::min(blockStart + n, stop);
            // Frames right after a block start lean on the next block start, and frames just
            // before the next one on this one: the weights are crossed on purpose.
            for (; k < blockEnd; ++k) {
                const int32_t weightC = int32_t(blockStart + n - k);
                const int32_t weightA = int32_t(k - blockStart);
                x[k] = int16_t(roundHalfEven((weightC * c + weightA * a) / divisor));
            }
        }
    });
}

} // namespace sono
