#include "effects/SegmentEffects.h"

#include <algorithm>
#include <cstdlib>

#include "document/SampleWidth.h"

namespace sono {

namespace {

// The frames before the range and its first frame stay; returns where the rebuilt part begins.
int64_t copyHead(std::span<const int16_t> x, FrameRange range, std::span<int16_t> out) {
    std::copy_n(x.begin(), range.first + 1, out.begin());
    return range.first + 1;
}

// range.last and everything after it follows the rebuilt part unchanged.
int64_t copyTail(std::span<const int16_t> x, FrameRange range, std::span<int16_t> out,
                 int64_t written) {
    const int64_t tail = int64_t(x.size()) - range.last;
    std::copy_n(x.begin() + range.last, tail, out.begin() + written);
    return written + tail;
}

// Walks the frames strictly inside the range in 100 steps and calls endsStretch(k) for each; a
// frame for which it is true closes the stretch that began at the previous such frame (or just
// after the range start), and writeStretch(mark, k, written) rebuilds it.
template <class EndsStretch, class WriteStretch>
int64_t rebuild(std::span<const int16_t> x, FrameRange range, std::span<int16_t> out,
                const StepObserver& stepDone, EndsStretch endsStretch, WriteStretch writeStretch) {
    if (range.size() < 3) {
        std::copy(x.begin(), x.end(), out.begin());
        return int64_t(x.size());
    }
    int64_t written = copyHead(x, range, out);
    int64_t mark = range.first + 1;
    const int64_t inner = range.first + 1;
    forEachStep(range.size() - 2, stepDone, [&](int64_t begin, int64_t end) {
        for (int64_t k = inner + begin, stop = inner + end; k < stop; ++k) {
            if (!endsStretch(k)) continue;
            written = writeStretch(mark, k, written);
            mark = k;
        }
    });
    return copyTail(x, range, out, written);
}

} // namespace

int64_t alienVoiceBound(int64_t frameCount) {
    return frameCount;
}

int64_t creakBound(int64_t frameCount, FrameRange range) {
    return frameCount + std::max<int64_t>(range.size() - 2, 0);
}

int64_t alienVoiceFrames(std::span<const int16_t> x, FrameRange range, std::span<int16_t> out,
                         const StepObserver& stepDone) {
    const int16_t* in = x.data();
    int16_t* to = out.data();
    auto isPeak = [in](int64_t k) { return in[k] > in[k - 1] && in[k] > in[k + 1]; };
    auto twiceAsFast = [in, to](int64_t mark, int64_t peak, int64_t written) {
        for (int64_t j = mark; j <= peak - 1; j += 2)
            to[written++] = in[j];
        for (int64_t j = mark + 1; j <= peak - 2; j += 2)
            to[written++] = in[j];
        return written;
    };
    return rebuild(x, range, out, stepDone, isPeak, twiceAsFast);
}

int64_t creakFrames(std::span<const int16_t> x, FrameRange range, bool eightBit,
                    std::span<int16_t> out, const StepObserver& stepDone) {
    return withWidth(eightBit, [&]<class Width>(Width) {
        const int16_t* in = x.data();
        int16_t* to = out.data();
        auto isLoudTurn = [in](int64_t k) {
            const int16_t v = in[k];
            const bool turn =
                (v >= in[k - 1] && v >= in[k + 1]) || (v <= in[k - 1] && v <= in[k + 1]);
            return turn && std::abs(v - Width::center) > Width::loud;
        };
        auto playedTwice = [in, to](int64_t mark, int64_t turn, int64_t written) {
            std::copy(in + mark, in + turn, to + written);
            written += turn - mark;
            const int64_t again = std::max<int64_t>(turn - mark - 2, 0); // mark + 1 .. turn - 2
            std::copy_n(in + mark + 1, again, to + written);
            return written + again;
        };
        return rebuild(x, range, out, stepDone, isLoudTurn, playedTwice);
    });
}

} // namespace sono
