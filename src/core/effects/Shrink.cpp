#include "effects/Shrink.h"

#include <algorithm>

#include "effects/VectorClones.h"
#include "support/Numbers.h"

namespace sono {

namespace {
// Frames k..stop-1, where stop lies at most at the last whole block start. Each frame rounds a
// quotient, which the baseline instruction set leaves to a library call; the machine's own
// instructions do it in one.
SONO_VECTOR_CLONES void blendBetweenBlockStarts(int16_t* x, int64_t k, int64_t stop, int64_t n,
                                                double divisor) {
    while (k < stop) {
        const int64_t blockStart = k / n * n;
        const int32_t a = x[blockStart];
        const int32_t c = x[blockStart + n];
        if (k == blockStart) ++k; // block starts keep their values
        const int64_t blockEnd = std::min(blockStart + n, stop);
        // Frames right after a block start lean on the next block start, and frames just before
        // the next one on this one: the weights are crossed on purpose.
        for (; k < blockEnd; ++k) {
            const int32_t weightC = int32_t(blockStart + n - k);
            const int32_t weightA = int32_t(k - blockStart);
            x[k] = int16_t(roundHalfEven((weightC * c + weightA * a) / divisor));
        }
    }
}
} // namespace

void shrinkFrames(std::span<int16_t> samples, int64_t frameCount, FrameRange range,
                  int32_t blockSize, const StepObserver& stepDone) {
    const int64_t n = blockSize;
    const int64_t lastBlockStart = (frameCount - 1) / n * n; // frames from here on stay
    int16_t* x = samples.data();
    forEachStep(range.size(), stepDone, [&](int64_t begin, int64_t end) {
        blendBetweenBlockStarts(x, range.first + begin, std::min(range.first + end, lastBlockStart),
                                n, double(blockSize));
    });
}

} // namespace sono
