#include "effects/SegmentEffects.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

#include "document/SampleWidth.h"
#include "effects/VectorClones.h"

namespace sono {

namespace {

// Which of the 16 frames from k on end a stretch, for the machines with AVX2: two bits of the
// result (2j and 2j + 1) for frame k + j. A frame is compared with both neighbours in one go,
// where the frame loop meets an unpredictable branch at nearly every frame of a noisy sound.
using SixteenEnds = uint32_t (*)(const int16_t* in, int64_t k);

#ifdef SONO_AVX2_LOOPS
__attribute__((target("avx2"))) uint32_t peaksOfSixteen(const int16_t* in, int64_t k) {
    const auto load = [in](int64_t at) __attribute__((target("avx2"))) {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + at));
    };
    const __m256i before = load(k - 1), v = load(k), after = load(k + 1);
    return uint32_t(_mm256_movemask_epi8(
        _mm256_and_si256(_mm256_cmpgt_epi16(v, before), _mm256_cmpgt_epi16(v, after))));
}

template <class Width>
__attribute__((target("avx2"))) uint32_t loudTurnsOfSixteen(const int16_t* in, int64_t k) {
    const auto load = [in](int64_t at) __attribute__((target("avx2"))) {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + at));
    };
    const __m256i before = load(k - 1), v = load(k), after = load(k + 1);
    // v >= a is !(a > v): a peak (or a plateau) is below neither neighbour, a valley above
    // neither.
    const __m256i notPeak =
        _mm256_or_si256(_mm256_cmpgt_epi16(before, v), _mm256_cmpgt_epi16(after, v));
    const __m256i notValley =
        _mm256_or_si256(_mm256_cmpgt_epi16(v, before), _mm256_cmpgt_epi16(v, after));
    const __m256i turn =
        _mm256_xor_si256(_mm256_and_si256(notPeak, notValley), _mm256_set1_epi16(-1));
    // Loud: more than `loud` from the centre either way (the distance of -32768 from 0 does not
    // fit 16 bits, so no absolute value is taken).
    const __m256i centered = _mm256_sub_epi16(v, _mm256_set1_epi16(Width::center));
    const __m256i loud =
        _mm256_or_si256(_mm256_cmpgt_epi16(centered, _mm256_set1_epi16(Width::loud)),
                        _mm256_cmpgt_epi16(_mm256_set1_epi16(-Width::loud), centered));
    return uint32_t(_mm256_movemask_epi8(_mm256_and_si256(turn, loud)));
}

constexpr SixteenEnds PeaksOfSixteen = peaksOfSixteen;
template <class Width> constexpr SixteenEnds LoudTurnsOfSixteen = loudTurnsOfSixteen<Width>;
#else
constexpr SixteenEnds PeaksOfSixteen = nullptr;
template <class Width> constexpr SixteenEnds LoudTurnsOfSixteen = nullptr;
#endif

// Copies count samples eight at a time: up to CopySlack - 1 more are read after the last and
// written after it, where the caller has room for them.
constexpr int64_t CopySlack = 8;
void copyInEights(int16_t* to, const int16_t* from, int64_t count) {
    for (int64_t i = 0; i < count; i += CopySlack)
        std::memcpy(to + i, from + i, CopySlack * sizeof(int16_t));
}

// Walks the frames strictly inside the range in 100 steps and calls endsStretch(k) for each (or
// endsOfSixteen(k), as the two bits per frame above, for 16 frames at a time on machines with
// AVX2); a frame for which it is true closes the stretch that began at the previous such frame
// (or just after the range start), and writeStretch(to, mark, k, written) writes it rebuilt at
// to + written, returning the new count written (it may write CopySlack frames beyond). The frames
// before the range and its first frame come first, unchanged, and range.last and everything after
// it last. A stretch of L frames becomes at most `growth` x L.
template <class EndsStretch, class WriteStretch>
void rebuild(std::span<const int16_t> x, FrameRange range, Samples& out,
             const StepObserver& stepDone, int64_t growth, EndsStretch endsStretch,
             [[maybe_unused]] SixteenEnds endsOfSixteen, WriteStretch writeStretch) {
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
        out.resize(std::max(out.size(), size_t(written + growth * (stop - mark) + CopySlack)));
        int16_t* to = out.data();
        int64_t k = inner + begin;
#ifdef SONO_AVX2_LOOPS
        if (endsOfSixteen && machineHasAvx2())
            for (; k + 16 <= stop; k += 16)
                for (uint32_t ends = endsOfSixteen(x.data(), k); ends != 0; ends &= ends - 1) {
                    const int64_t end = k + std::countr_zero(ends) / 2;
                    ends &= ends - 1; // the frame's second bit
                    written = writeStretch(to, mark, end, written);
                    mark = end;
                }
#endif
        for (; k < stop; ++k) {
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
    const int64_t frames = int64_t(x.size());
    auto twiceAsFast = [in, frames](int16_t* to, int64_t mark, int64_t peak, int64_t written) {
        const int64_t length = peak - mark;
        const int64_t evens = (length + 1) / 2; // mark, mark + 2 .. peak - 1
        // A short stretch, the usual one in a noisy sound, without a branch on its length: four
        // of each kind, what lies beyond overwritten by the next stretch.
        if (length <= CopySlack && peak + CopySlack <= frames) {
            for (int i = 0; i < CopySlack / 2; ++i)
                to[written + i] = in[mark + 2 * i];
            for (int i = 0; i < CopySlack / 2; ++i)
                to[written + evens + i] = in[mark + 1 + 2 * i];
            return written + evens + (length - 1) / 2;
        }
        for (int64_t j = mark; j <= peak - 1; j += 2)
            to[written++] = in[j];
        for (int64_t j = mark + 1; j <= peak - 2; j += 2)
            to[written++] = in[j];
        return written;
    };
    rebuild(x, range, out, stepDone, 1, isPeak, PeaksOfSixteen, twiceAsFast);
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
        const int64_t frames = int64_t(x.size());
        auto playedTwice = [in, frames](int16_t* to, int64_t mark, int64_t turn, int64_t written) {
            const int64_t length = turn - mark;
            // mark + 1 .. turn - 2, without a branch: the lengths of a noisy sound's stretches
            // (one, two, three or more) are too irregular for one to be guessed.
            const int64_t again = (length - 2) & ~((length - 2) >> 63);
            // Most stretches of a noisy sound are a few frames long, too short for a call: one
            // copy of eight each, what lies beyond overwritten by the next stretch.
            if (length <= CopySlack && turn + CopySlack <= frames) {
                std::memcpy(to + written, in + mark, CopySlack * sizeof(int16_t));
                std::memcpy(to + written + length, in + mark + 1, CopySlack * sizeof(int16_t));
            } else if (turn + CopySlack <= frames) {
                copyInEights(to + written, in + mark, length);
                copyInEights(to + written + length, in + mark + 1, again);
            } else {
                std::copy_n(in + mark, length, to + written);
                std::copy_n(in + mark + 1, again, to + written + length);
            }
            return written + length + again;
        };
        rebuild(x, range, out, stepDone, 2, isLoudTurn, LoudTurnsOfSixteen<Width>, playedTwice);
    });
}

} // namespace sono
