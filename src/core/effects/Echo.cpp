#include "effects/Echo.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <optional>

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
// The unclipped sums of the frames from `first` on. Only the frames that an echo may still reach
// are held: slot (frame - first) & mask, so that a short delay needs a short ring of slots instead
// of a second copy of the sound; with every frame held the mask has all bits set.
struct Sums {
    int32_t* slots;
    int64_t first;
    uint64_t mask;
    int32_t& at(int64_t frame) const { return slots[uint64_t(frame - first) & mask]; }
};

// What one pass of the echo loop needs besides the sums.
struct EchoPass {
    EchoCurve curve;
    FrameRange range;
    int repeats;
    bool softer;
    double sampleRate;
    double lastFrame;
};

// The weight of repeat r of a source frame at `volume`.
double repeatWeight(const EchoPass& p, double volume, int r) {
    return p.softer ? volume * (p.repeats + 1 - r) / p.repeats : volume;
}

// The frames i in [begin, end) of the pass, counted back from the end of the range. Every
// sample goes through several roundings, which the baseline instruction set leaves to a library
// call; the machine's own instructions do each in one.
template <class Width>
SONO_VECTOR_CLONES void echoFrames(Sums sum, int64_t begin, int64_t end, EchoPass p) {
    for (int64_t i = begin; i < end; ++i) {
        const int64_t k = p.range.last - i;
        const double offset = double(k - p.range.first);
        const double delay = p.curve.delay + p.curve.delaySlope * offset;
        const double volume = p.curve.volume + p.curve.volumeSlope * offset;
        for (int r = 1; r <= p.repeats; ++r) {
            const double at = roundHalfEven(delay * p.sampleRate * r + double(k));
            if (at > p.lastFrame) continue;
            const int64_t target = int64_t(at);
            const double weight = repeatWeight(p, volume, r);
            // A delay of 0 lands on the source itself, which is then read anew.
            const double source = sum.at(k) - Width::center;
            int32_t& targetSum = sum.at(target);
            const double total = roundHalfEven(weight * source + targetSum);
            // Saturating keeps the sum defined even for absurd volumes from a script.
            targetSum = int32_t(std::clamp<double>(total, std::numeric_limits<int32_t>::min(),
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
__attribute__((target("avx2"))) void echoFourAtATime(Sums sum, int64_t begin, int64_t end,
                                                     const EchoPass& p) {
    constexpr int MostRepeats = 8;
    if (p.repeats > MostRepeats) return echoFrames<Width>(sum, begin, end, p);
    constexpr int Nearest = _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC;
    const __m256d rate = _mm256_set1_pd(p.sampleRate);
    const __m256d lastFrame = _mm256_set1_pd(p.lastFrame);
    const __m256d lowest = _mm256_set1_pd(std::numeric_limits<int32_t>::min());
    const __m256d highest = _mm256_set1_pd(std::numeric_limits<int32_t>::max());
    const __m128i slotMask = _mm_set1_epi32(int32_t(uint32_t(sum.mask)));
    const __m128i first = _mm_set1_epi32(int32_t(sum.first));
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
        // The four sources must lie side by side in the ring.
        bool inAnyOrder = (uint64_t(bottom - sum.first) & sum.mask) + 3 <= sum.mask;
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
            _mm256_cvtepi32_pd(_mm_loadu_si128(reinterpret_cast<const __m128i*>(&sum.at(bottom)))),
            _mm256_set1_pd(double(Width::center)));
        for (int r = 1; r <= p.repeats; ++r) {
            const __m256d weight =
                p.softer ? _mm256_div_pd(_mm256_mul_pd(volume, _mm256_set1_pd(p.repeats + 1 - r)),
                                         _mm256_set1_pd(p.repeats))
                         : volume;
            const __m128i slot = _mm_and_si128(
                _mm_sub_epi32(_mm_load_si128(reinterpret_cast<const __m128i*>(targets[r - 1])),
                              first),
                slotMask);
            const __m256d old = _mm256_cvtepi32_pd(_mm_i32gather_epi32(sum.slots, slot, 4));
            const __m256d total =
                _mm256_round_pd(_mm256_add_pd(_mm256_mul_pd(weight, source), old), Nearest);
            alignas(16) int32_t values[4];
            _mm_store_si128(
                reinterpret_cast<__m128i*>(values),
                _mm256_cvtpd_epi32(_mm256_min_pd(_mm256_max_pd(total, lowest), highest)));
            for (int j = 0; j < 4; ++j)
                sum.at(targets[r - 1][j]) = values[j];
        }
    }
    echoFrames<Width>(sum, i, end, p);
}
#endif

template <class Width> void echoSums(Sums sum, int64_t begin, int64_t end, const EchoPass& p) {
#ifdef SONO_AVX2_LOOPS
    if (machineHasAvx2()) return echoFourAtATime<Width>(sum, begin, end, p);
#endif
    echoFrames<Width>(sum, begin, end, p);
}
} // namespace

namespace {
// An echo whose delay stays the same lands each repeat a fixed number of frames after its source
// (repeat r at after[r - 1]) wherever the source lies: the delay in frames of every repeat lies
// clearly off the middle between two whole numbers, so adding a frame number (below 2^31, where
// the sum is off by at most 2^-22) never moves the rounding. A target then collects the echoes of
// repeats 1, 2, ... in that order, as the walk from the end makes them, and no echo lands on a
// source before it is read. Each frame of the result can so be worked out on its own, in order,
// from the original samples alone.
struct FixedEcho {
    std::vector<int64_t> after;
    std::vector<double> weights; // of each repeat, when the volume stays the same too
};

std::optional<FixedEcho> fixedEcho(const EchoPass& p, int64_t frames) {
    if (p.curve.delaySlope != 0 || p.repeats < 1) return std::nullopt;
    FixedEcho echo;
    const double delay = p.curve.delay + 0.0; // what the walk's delay comes to at every frame
    for (int r = 1; r <= p.repeats; ++r) {
        const double delayFrames = delay * p.sampleRate * r;
        if (!(delayFrames + double(frames) < 0x1p31)) return std::nullopt;
        const double fraction = delayFrames - std::floor(delayFrames);
        if (std::abs(fraction - 0.5) < 1e-6) return std::nullopt;
        const auto after = int64_t(roundHalfEven(delayFrames));
        if (after <= (echo.after.empty() ? 0 : echo.after.back())) return std::nullopt;
        echo.after.push_back(after);
        if (p.curve.volumeSlope == 0) {
            const double volume = p.curve.volume + 0.0;
            echo.weights.push_back(repeatWeight(p, volume, r));
        }
    }
    return echo;
}

// A whole sum as a sample of the width.
template <class Width> int16_t clippedSum(int32_t sum) {
    return int16_t(std::clamp(sum, int32_t(Width::low), int32_t(Width::high)));
}

// Frame t of the echoed channel, as the walk from the end makes it.
template <class Width>
int16_t fixedEchoFrame(std::span<const int16_t> x, int64_t t, const FixedEcho& echo,
                       const EchoPass& p) {
    int32_t sum = t < int64_t(x.size()) ? x[size_t(t)] : Width::center;
    for (int r = 1; r <= p.repeats; ++r) {
        const int64_t k = t - echo.after[size_t(r - 1)];
        if (k < p.range.first || k > p.range.last) continue;
        const double volume = p.curve.volume + p.curve.volumeSlope * double(k - p.range.first);
        const double weight = repeatWeight(p, volume, r);
        const double source = x[size_t(k)] - Width::center;
        const double total = roundHalfEven(weight * source + sum);
        sum = int32_t(std::clamp<double>(total, std::numeric_limits<int32_t>::min(),
                                         std::numeric_limits<int32_t>::max()));
    }
    return clippedSum<Width>(sum);
}

#ifdef SONO_AVX2_LOOPS
__attribute__((target("avx2"), always_inline)) inline __m128i fourAsInt32(const int16_t* at) {
    return _mm_cvtepi16_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(at)));
}

// fixedEchoFrame for the VectorFrames frames from t on, each of which has every repeat's source in
// the range and lies in x itself; the arithmetic is the frame's, operation for operation. The sum
// stays a double between repeats: it is a whole number within 32 bits, which a double holds
// exactly. Four groups of four frames go side by side, so that the steps of one sum, which wait
// for each other, overlap those of the others.
constexpr int64_t VectorFrames = 16;

template <class Width>
__attribute__((target("avx2"))) void fixedEchoSixteen(const int16_t* x, int64_t t,
                                                      const FixedEcho& echo, const EchoPass& p,
                                                      int16_t* out) {
    constexpr int Nearest = _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC;
    constexpr int Groups = int(VectorFrames / 4);
    const __m256d lowest = _mm256_set1_pd(std::numeric_limits<int32_t>::min());
    const __m256d highest = _mm256_set1_pd(std::numeric_limits<int32_t>::max());
    __m256d sum[Groups];
    for (int g = 0; g < Groups; ++g)
        sum[g] = _mm256_cvtepi32_pd(fourAsInt32(x + t + 4 * g));
    for (int r = 1; r <= p.repeats; ++r) {
        const int64_t k = t - echo.after[size_t(r - 1)];
        for (int g = 0; g < Groups; ++g) {
            __m256d weight;
            if (!echo.weights.empty()) {
                weight = _mm256_set1_pd(echo.weights[size_t(r - 1)]);
            } else {
                const __m256d offset = _mm256_cvtepi32_pd(
                    _mm_add_epi32(_mm_set1_epi32(int32_t(k + 4 * g - p.range.first)),
                                  _mm_setr_epi32(0, 1, 2, 3)));
                weight = _mm256_add_pd(_mm256_set1_pd(p.curve.volume),
                                       _mm256_mul_pd(_mm256_set1_pd(p.curve.volumeSlope), offset));
                if (p.softer)
                    weight = _mm256_div_pd(_mm256_mul_pd(weight, _mm256_set1_pd(p.repeats + 1 - r)),
                                           _mm256_set1_pd(p.repeats));
            }
            const __m256d source = _mm256_cvtepi32_pd(
                _mm_sub_epi32(fourAsInt32(x + k + 4 * g), _mm_set1_epi32(Width::center)));
            const __m256d total =
                _mm256_round_pd(_mm256_add_pd(_mm256_mul_pd(weight, source), sum[g]), Nearest);
            sum[g] = _mm256_min_pd(_mm256_max_pd(total, lowest), highest);
        }
    }
    for (int g = 0; g < Groups; ++g) {
        const __m256d clippedValue = _mm256_min_pd(
            _mm256_max_pd(sum[g], _mm256_set1_pd(Width::low)), _mm256_set1_pd(Width::high));
        const __m128i whole = _mm256_cvtpd_epi32(clippedValue);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 4 * g), _mm_packs_epi32(whole, whole));
    }
}
#endif

// The echoed channel frame by frame from the start, appended to out in pieces.
template <class Width>
void fixedEchoChannel(std::span<const int16_t> x, int64_t frames, const FixedEcho& echo,
                      const EchoPass& p, Samples& out, const StepObserver& stepDone) {
    const int64_t size = int64_t(x.size());
    // Frames outside [echoedFrom, echoedTo) take no echo: they are only clipped.
    const int64_t echoedFrom = p.range.first + echo.after.front();
    const int64_t echoedTo = p.range.last + echo.after.back() + 1;
    const auto unechoed = [&](int64_t from, int64_t to, int16_t* into) {
        for (int64_t t = from; t < std::min(to, size); ++t)
            into[t - from] = clippedSum<Width>(x[size_t(t)]);
        for (int64_t t = std::max(from, size); t < to; ++t)
            into[t - from] = clippedSum<Width>(Width::center);
    };
#ifdef SONO_AVX2_LOOPS
    // Frames [vectorFrom, vectorTo) have every repeat's source in the range and lie in x
    // themselves.
    const int64_t vectorFrom = machineHasAvx2() ? p.range.first + echo.after.back() : size;
    const int64_t vectorTo = std::min(p.range.last + echo.after.front() + 1, size);
#endif
    out.clear();
    forEachStep(frames, stepDone, [&](int64_t begin, int64_t end) {
        constexpr int64_t PieceFrames = 4096;
        int16_t piece[PieceFrames];
        for (int64_t start = begin; start < end; start += PieceFrames) {
            const int64_t stop = std::min(end, start + PieceFrames);
            for (int64_t t = start; t < stop;) {
                if (t < echoedFrom || t >= echoedTo) {
                    const int64_t next = t < echoedFrom ? std::min(stop, echoedFrom) : stop;
                    unechoed(t, next, piece + (t - start));
                    t = next;
                    continue;
                }
#ifdef SONO_AVX2_LOOPS
                if (t >= vectorFrom && t + VectorFrames <= std::min(stop, vectorTo)) {
                    fixedEchoSixteen<Width>(x.data(), t, echo, p, piece + (t - start));
                    t += VectorFrames;
                    continue;
                }
#endif
                piece[t - start] = fixedEchoFrame<Width>(x, t, echo, p);
                ++t;
            }
            out.insert(out.end(), piece, piece + (stop - start));
        }
    });
}

// The frames a chunk of the walk covers between filling and emptying the ring.
constexpr int64_t ChunkFrames = 4096;

// How far beyond its source an echo of the range can land, in frames, with a margin for rounding.
int64_t echoReach(const EchoSettings& settings, double sampleRate) {
    const double longest = std::max(settings.startDelayMs, settings.endDelayMs) / 1000.0;
    const double reach = std::ceil(longest * sampleRate * settings.repeats) + 2;
    return reach < 9.0e18 ? int64_t(reach) : std::numeric_limits<int64_t>::max();
}

// The slots of the sums: a ring (a power of two) when the echoes reach far less than the frames
// from the range's start on, else one slot for each of those frames.
struct SumSlots {
    int64_t count;
    bool ring;
};
SumSlots sumSlots(const EchoSettings& settings, FrameRange range, int64_t frames,
                  double sampleRate) {
    const int64_t held = frames - range.first;
    const int64_t reach = echoReach(settings, sampleRate);
    if (reach < held / 4) {
        const auto ring = int64_t(std::bit_ceil(uint64_t(reach + ChunkFrames)));
        if (ring < held) return {ring, true};
    }
    return {held, false};
}

EchoPass echoPass(const EchoSettings& settings, FrameRange range, int64_t frames,
                  double sampleRate) {
    return {echoCurve(settings, range), range, settings.repeats, settings.softer, sampleRate,
            double(frames) - 1};
}
} // namespace

size_t echoScratchSlots(const EchoSettings& settings, FrameRange range, int64_t frames,
                        double sampleRate) {
    if (fixedEcho(echoPass(settings, range, frames, sampleRate), frames)) return 0;
    return size_t(sumSlots(settings, range, frames, sampleRate).count);
}

void addEcho(std::span<const int16_t> x, int64_t frames, FrameRange range,
             const EchoSettings& settings, double sampleRate, bool eightBit,
             std::vector<int32_t>& acc, Samples& out, const StepObserver& stepDone) {
    const EchoPass pass = echoPass(settings, range, frames, sampleRate);
    if (const std::optional<FixedEcho> echo = fixedEcho(pass, frames)) {
        withWidth(eightBit, [&]<class Width>(Width) {
            fixedEchoChannel<Width>(x, frames, *echo, pass, out, stepDone);
        });
        return;
    }
    const SumSlots slots = sumSlots(settings, range, frames, sampleRate);
    // Without a ring every frame is held until the walk ends.
    const int64_t reach = slots.ring ? echoReach(settings, sampleRate) : frames;
    withWidth(eightBit, [&]<class Width>(Width) {
        const auto original = [&](int64_t frame) -> int32_t {
            return frame < int64_t(x.size()) ? x[size_t(frame)] : Width::center;
        };
        acc.assign(size_t(slots.count), 0);
        const Sums sum{acc.data(), range.first, slots.ring ? uint64_t(slots.count - 1) : ~0ull};
        out.clear();
        out.resize(size_t(frames));
        // Frames before the range and frames beyond the reach of every echo are only clipped.
        for (int64_t t = 0; t < range.first; ++t)
            out[size_t(t)] = clippedSum<Width>(original(t));
        const int64_t reached = std::min(frames - 1, range.last + reach);
        for (int64_t t = reached + 1; t < frames; ++t)
            out[size_t(t)] = clippedSum<Width>(original(t));
        for (int64_t t = range.last + 1; t <= reached; ++t)
            sum.at(t) = original(t);

        // The walk goes back from the end of the range. A frame's sum is whole once the walk has
        // passed every frame whose echoes can reach it; it then leaves its slot to a frame the
        // walk comes to.
        int64_t wholeFrom = reached + 1; // frames from here on are in out
        const auto emptyDownTo = [&](int64_t frame) {
            for (; wholeFrom > frame; --wholeFrom)
                out[size_t(wholeFrom - 1)] = clippedSum<Width>(sum.at(wholeFrom - 1));
        };
        forEachStep(range.size(), stepDone, [&](int64_t begin, int64_t end) {
            for (int64_t chunk = begin; chunk < end; chunk += ChunkFrames) {
                const int64_t chunkEnd = std::min(end, chunk + ChunkFrames);
                const int64_t top = range.last - chunk, bottom = range.last - chunkEnd + 1;
                if (slots.ring) emptyDownTo(top + reach + 1);
                for (int64_t k = bottom; k <= top; ++k)
                    sum.at(k) = original(k);
                echoSums<Width>(sum, chunk, chunkEnd, pass);
            }
        });
        emptyDownTo(range.first);
    });
}

} // namespace sono
