#include "effects/Echo.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "document/SampleWidth.h"
#include "effects/VectorClones.h"
#include "support/Numbers.h"

namespace sono {

namespace {
// Delay (seconds) and echo volume (fraction) at the start of the range and their slopes per frame.
struct EchoCurve {
    double delay, delaySlope, volume, volumeSlope;
};

EchoCurve echoCurve(const EchoSettings& settings, FrameRange range) {
    const double d1 = settings.startDelayMs / 1000.0;
    const double d2 = settings.endDelayMs / 1000.0;
    const double v1 = settings.startVolumePercent / 100.0;
    const double v2 = settings.endVolumePercent / 100.0;
    const int64_t length = range.last - range.first;
    if (length <= 0) return {d1, 0, v1, 0};
    return {d1, (d2 - d1) / double(length), v1, (v2 - v1) / double(length)};
}
} // namespace

bool validEcho(const EchoSettings& settings) {
    const float values[] = {settings.startDelayMs, settings.endDelayMs, settings.startVolumePercent,
                            settings.endVolumePercent};
    return std::all_of(std::begin(values), std::end(values),
                       [](float v) { return std::isfinite(v); }) &&
           settings.startDelayMs >= 0 && settings.endDelayMs >= 0;
}

std::optional<int64_t> echoLastFrame(const EchoSettings& settings, FrameRange range,
                                     int64_t frameCount, double sampleRate) {
    const double repeats = settings.repeats;
    // A range of one frame has only the start delay, like its echoes.
    const double endDelayMs = range.size() > 1 ? settings.endDelayMs : settings.startDelayMs;
    const double lastAtEnd = endDelayMs / 1000.0 * sampleRate * repeats + range.last;
    const double lastAtStart = settings.startDelayMs / 1000.0 * sampleRate * repeats + range.first;
    double last = double(frameCount - 1);
    if (lastAtEnd > last) last = roundHalfEven(lastAtEnd);
    if (lastAtStart > last) last = roundHalfEven(lastAtStart);
    if (!(last < 9.0e18)) return std::nullopt;
    return int64_t(last);
}

namespace {
// What one pass of the echo loop needs besides the sums.
struct EchoPass {
    EchoCurve curve;
    FrameRange range;
    int repeats;
    bool softer;
    double sampleRate;
    double lastFrame;
};

// The frames i in [begin, end) of the pass, counted back from the end of the range. Every
// sample goes through several roundings, which the baseline instruction set leaves to a library
// call; the machine's own instructions do each in one.
template <class Width>
SONO_VECTOR_CLONES void echoFrames(int32_t* sum, int64_t begin, int64_t end, EchoPass p) {
    for (int64_t i = begin; i < end; ++i) {
        const int64_t k = p.range.last - i;
        const double offset = double(k - p.range.first);
        const double delay = p.curve.delay + p.curve.delaySlope * offset;
        const double volume = p.curve.volume + p.curve.volumeSlope * offset;
        for (int r = 1; r <= p.repeats; ++r) {
            const double at = roundHalfEven(delay * p.sampleRate * r + double(k));
            if (at > p.lastFrame) continue;
            const int64_t target = int64_t(at);
            const double weight = p.softer ? volume * (p.repeats + 1 - r) / p.repeats : volume;
            // A delay of 0 lands on the source itself, which is then read anew.
            const double source = sum[k] - Width::center;
            const double total = roundHalfEven(weight * source + sum[target]);
            // Saturating keeps the sum defined even for absurd volumes from a script.
            sum[target] = int32_t(std::clamp<double>(total, std::numeric_limits<int32_t>::min(),
                                                     std::numeric_limits<int32_t>::max()));
        }
    }
}
#ifdef SONO_AVX2_LOOPS
// The same sums four frames at a time, for blocks whose echoes may be made in any order: every
// target differs from the others and lies above the four sources (so no source is changed before
// it is read). That holds unless the delay is below a frame or falls faster than time runs; such
// a block, one with an echo beyond the last frame, and the frames left over go frame by frame.
// The arithmetic is the frame loop's, operation for operation, so the sums are the same.
template <class Width>
__attribute__((target("avx2"))) void echoFourAtATime(int32_t* sum, int64_t begin, int64_t end,
                                                     const EchoPass& p) {
    constexpr int MostRepeats = 8;
    if (p.repeats > MostRepeats) return echoFrames<Width>(sum, begin, end, p);
    constexpr int Nearest = _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC;
    const __m256d rate = _mm256_set1_pd(p.sampleRate);
    const __m256d lastFrame = _mm256_set1_pd(p.lastFrame);
    const __m256d lowest = _mm256_set1_pd(std::numeric_limits<int32_t>::min());
    const __m256d highest = _mm256_set1_pd(std::numeric_limits<int32_t>::max());
    int64_t i = begin;
    for (; i + 4 <= end; i += 4) {
        // Lane j holds frame bottom + j.
        const int64_t top = p.range.last - i, bottom = top - 3;
        const int64_t fromFirst = bottom - p.range.first;
        const __m256d k = _mm256_set_pd(double(bottom + 3), double(bottom + 2), double(bottom + 1),
                                        double(bottom));
        const __m256d offset = _mm256_set_pd(double(fromFirst + 3), double(fromFirst + 2),
                                             double(fromFirst + 1), double(fromFirst));
        const __m256d delay =
            _mm256_add_pd(_mm256_set1_pd(p.curve.delay),
                          _mm256_mul_pd(_mm256_set1_pd(p.curve.delaySlope), offset));
        const __m256d volume =
            _mm256_add_pd(_mm256_set1_pd(p.curve.volume),
                          _mm256_mul_pd(_mm256_set1_pd(p.curve.volumeSlope), offset));
        const __m256d delayFrames = _mm256_mul_pd(delay, rate);

        alignas(16) int32_t targets[MostRepeats][4];
        bool inAnyOrder = true;
        int64_t below = top; // each target must lie above this: the sources, then the one before
        for (int r = 1; r <= p.repeats && inAnyOrder; ++r) {
            const __m256d at = _mm256_round_pd(
                _mm256_add_pd(_mm256_mul_pd(delayFrames, _mm256_set1_pd(double(r))), k), Nearest);
            if (_mm256_movemask_pd(_mm256_cmp_pd(at, lastFrame, _CMP_GT_OQ)) != 0) {
                inAnyOrder = false;
                break;
            }
            _mm_store_si128(reinterpret_cast<__m128i*>(targets[r - 1]), _mm256_cvtpd_epi32(at));
            for (const int32_t target : targets[r - 1]) {
                inAnyOrder = inAnyOrder && target > below;
                below = target;
            }
        }
        if (!inAnyOrder) {
            echoFrames<Width>(sum, i, i + 4, p);
            continue;
        }

        const __m256d source = _mm256_sub_pd(
            _mm256_cvtepi32_pd(_mm_loadu_si128(reinterpret_cast<const __m128i*>(sum + bottom))),
            _mm256_set1_pd(double(Width::center)));
        for (int r = 1; r <= p.repeats; ++r) {
            const __m256d weight =
                p.softer ? _mm256_div_pd(_mm256_mul_pd(volume, _mm256_set1_pd(p.repeats + 1 - r)),
                                         _mm256_set1_pd(p.repeats))
                         : volume;
            const __m128i index = _mm_load_si128(reinterpret_cast<const __m128i*>(targets[r - 1]));
            const __m256d old = _mm256_cvtepi32_pd(_mm_i32gather_epi32(sum, index, 4));
            const __m256d total =
                _mm256_round_pd(_mm256_add_pd(_mm256_mul_pd(weight, source), old), Nearest);
            alignas(16) int32_t values[4];
            _mm_store_si128(
                reinterpret_cast<__m128i*>(values),
                _mm256_cvtpd_epi32(_mm256_min_pd(_mm256_max_pd(total, lowest), highest)));
            for (int j = 0; j < 4; ++j)
                sum[targets[r - 1][j]] = values[j];
        }
    }
    echoFrames<Width>(sum, i, end, p);
}
#endif

template <class Width> void echoSums(int32_t* sum, int64_t begin, int64_t end, const EchoPass& p) {
#ifdef SONO_AVX2_LOOPS
    if (machineHasAvx2()) return echoFourAtATime<Width>(sum, begin, end, p);
#endif
    echoFrames<Width>(sum, begin, end, p);
}
} // namespace

void addEcho(std::span<const int16_t> x, int64_t frames, FrameRange range,
             const EchoSettings& settings, double sampleRate, bool eightBit,
             std::vector<int32_t>& acc, Samples& out, const StepObserver& stepDone) {
    const EchoPass pass{
        echoCurve(settings, range), range, settings.repeats, settings.softer, sampleRate,
        double(frames) - 1};
    withWidth(eightBit, [&]<class Width>(Width) {
        acc.assign(x.begin(), x.end());
        acc.resize(size_t(frames), Width::center);
        forEachStep(range.size(), stepDone, [&](int64_t begin, int64_t end) {
            echoSums<Width>(acc.data(), begin, end, pass);
        });
        // Whole numbers already: clipped as integers, which the compiler makes a vector loop. The
        // new channel grows a block at a time, so that each of its pages is written while the
        // block is still in the cache.
        constexpr size_t Block = size_t(1) << 16;
        for (size_t at = 0; at < acc.size(); at += Block) {
            const size_t count = std::min(Block, acc.size() - at);
            out.resize(out.size() + count);
            std::transform(acc.begin() + ptrdiff_t(at), acc.begin() + ptrdiff_t(at + count),
                           out.end() - ptrdiff_t(count), [](int32_t value) {
                               return int16_t(
                                   std::clamp(value, int32_t(Width::low), int32_t(Width::high)));
                           });
        }
    });
}

} // namespace sono
