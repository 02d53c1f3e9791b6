#include "effects/SegmentEffects.h"

#include <algorithm>
#include <cstdlib>

#include "document/SampleWidth.h"

namespace sono {

namespace {

// Walks the frames strictly inside the range in 100 steps and calls endsStretch(k) for each; a
// frame for which it is true closes the stretch that began at the previous such frame (or just
// after the range start), and appendStretch(mark, k) appends it rebuilt. The frames before the
// range and its first frame come first, unchanged, and range.last and everything after it last.
template <class EndsStretch, class AppendStretch>
void rebuild(std::span<const int16_t> x, FrameRange range, Samples& out,
             const StepObserver& stepDone, EndsStretch endsStretch, AppendStretch appendStretch) {
    if (range.size() < 3) {
        out.insert(out.end(), x.begin(), x.end());
        return;
    }
    out.insert(out.end(), x.begin(), x.begin() + range.first + 1);
    int64_t mark = range.first + 1;
    const int64_t inner = range.first + 1;
    forEachStep(range.size() - 2, stepDone, [&](int64_t begin, int64_t end) {
        for (int64_t k = inner + begin, stop = inner + end; k < stop; ++k) {
            if (!endsStretch(k)) continue;
            appendStretch(mark, k);
            mark = k;
        }
    });
    out.insert(out.end(), x.begin() + range.last, x.end());
}

} // namespace

int64_t alienVoiceBound(int64_t frameCount) {
    return frameCount;
}

int64_t creakBound(int64_t frameCount, FrameRange range) {
    return frameCount + std::max<int64_t>(range.size() - 2, 0);
}

void alienVoiceFrames(std::span<const int16_t> x, FrameRange range, Samples& out,
                      const StepObserver& stepDone) {
    const int16_t* in = x.data();
    auto isPeak = [in](int64_t k) { return in[k] > in[k - 1] && in[k] > in[k + 1]; };
    // A cycle of L frames becomes 2 floor((L - 1) / 2) + 1 frames.
    auto twiceAsFast = [in, &out](int64_t mark, int64_t peak) {
        const size_t written = out.size();
        out.resize(written + size_t(2 * ((peak - mark - 1) / 2) + 1));
        int16_t* to = out.data() + written;
        for (int64_t j = mark; j <= peak - 1; j += 2)
            *to++ = in[j];
        for (int64_t j = mark + 1; j <= peak - 2; j += 2)
            *to++ = in[j];
    };
    rebuild(x, range, out, stepDone, isPeak, twiceAsFast);
}

void creakFrames(std::span<const int16_t> x, FrameRange range, bool eightBit, Samples& out,
                 const StepObserver& stepDone) {
    withWidth(eightBit, [&]<class Width>(Width) {
        const int16_t* in = x.data();
        auto isLoudTurn = [in](int64_t k) {
            const int16_t v = in[k];
            const bool turn =
                (v >= in[k - 1] && v >= in[k + 1]) || (v <= in[k - 1] && v <= in[k + 1]);
            return turn && std::abs(v - Width::center) > Width::loud;
        };
        auto playedTwice = [in, &out](int64_t mark, int64_t turn) {
            out.insert(out.end(), in + mark, in + turn);
            const int64_t again = std::max<int64_t>(turn - mark - 2, 0); // mark + 1 .. turn - 2
            out.insert(out.end(), in + mark + 1, in + mark + 1 + again);
        };
        rebuild(x, range, out, stepDone, isLoudTurn, playedTwice);
    });
}

} // namespace sono
