#include "effects/SegmentEffects.h"

#include <algorithm>
#include <cstdlib>

#include "document/SampleWidth.h"

namespace sono {

namespace {

// Walks the frames strictly inside the range in 100 steps and calls endsStretch(k) for each; a
// frame for which it is true closes the stretch that began at the previous such frame (or just
// after the range start), and writeStretch(to, mark, k, written) writes it rebuilt at
// to + written, returning the new count written. The frames before the range and its first frame
// come first, unchanged, and range.last and everything after it last. A stretch of L frames
// becomes at most `growth` x L.
template <class EndsStretch, class WriteStretch>
void rebuild(std::span<const int16_t> x, FrameRange range, Samples& out,
             const StepObserver& stepDone, int64_t growth, EndsStretch endsStretch,
             WriteStretch writeStretch) {
    if (range.size() < 3) {
        out.insert(out.end(), x.begin(), x.end());
        return;
    }
    out.insert(out.end(), x.begin(), x.begin() + range.first + 1);
    int64_t written = int64_t(out.size());
    int64_t mark = range.first + 1;
    const int64_t inner = range.first + 1;
    forEachStep(range.size() - 2, stepDone, [&](int64_t begin, int64_t end) {
        // Room for all that the stretches ending in this step can write, made at once.
        const int64_t stop = inner + end;
        out.resize(std::max(out.size(), size_t(written + growth * (stop - mark))));
        int16_t* to = out.data();
        for (int64_t k = inner + begin; k < stop; ++k) {
            if (!endsStretch(k)) continue;
            written = writeStretch(to, mark, k, written);
            mark = k;
        }
    });
    out.resize(size_t(written));
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
    auto twiceAsFast = [in](int16_t* to, int64_t mark, int64_t peak, int64_t written) {
        for (int64_t j = mark; j <= peak - 1; j += 2)
            to[written++] = in[j];
        for (int64_t j = mark + 1; j <= peak - 2; j += 2)
            to[written++] = in[j];
        return written;
    };
    rebuild(x, range, out, stepDone, 1, isPeak, twiceAsFast);
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
        auto playedTwice = [in](int16_t* to, int64_t mark, int64_t turn, int64_t written) {
            std::copy(in + mark, in + turn, to + written);
            written += turn - mark;
            const int64_t again = std::max<int64_t>(turn - mark - 2, 0); // mark + 1 .. turn - 2
            std::copy_n(in + mark + 1, again, to + written);
            return written + again;
        };
        rebuild(x, range, out, stepDone, 2, isLoudTurn, playedTwice);
    });
}

} // namespace sono
