#include "effects/Modulation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <type_traits>

#include "document/SampleWidth.h"
#include "effects/VectorClones.h"
#include "support/Numbers.h"

namespace sono {

namespace {
constexpr int CarrierFrames = 10000;

// The carrier repeats every 10000 frames, so its values are worked out once.
const std::array<double, CarrierFrames>& carrier() {
    static const auto table = [] {
        std::array<double, CarrierFrames> values{};
        for (int k = 0; k < CarrierFrames; ++k)
            values[k] = std::cos(k / std::numbers::pi);
        return values;
    }();
    return table;
}
} // namespace

namespace {
// Samples x[0 .. count) with the carrier values cosine[0 .. count), as described.
template <class Width> void ringFrames(int16_t* x, const double* cosine, int64_t count) {
    for (int64_t i = 0; i < count; ++i) {
        const int32_t centered = x[i] - Width::center;
        if (std::abs(centered) > Width::loud)
            x[i] = clipped<Width>(roundHalfEven(centered * cosine[i] * 1.3 + Width::center));
    }
}

#ifdef SONO_AVX2_LOOPS
// The same four samples at a time, the quiet ones blended back unchanged; the arithmetic is the
// frame loop's, operation for operation.
template <class Width>
__attribute__((target("avx2"))) void ringFourAtATime(int16_t* x, const double* cosine,
                                                     int64_t count) {
    constexpr int Nearest = _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC;
    int64_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i samples =
            _mm_cvtepi16_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(x + i)));
        const __m128i centered = _mm_sub_epi32(samples, _mm_set1_epi32(Width::center));
        const __m128i loud = _mm_cmpgt_epi32(_mm_abs_epi32(centered), _mm_set1_epi32(Width::loud));
        if (_mm_movemask_epi8(loud) == 0) continue;
        const __m256d product =
            _mm256_mul_pd(_mm256_mul_pd(_mm256_cvtepi32_pd(centered), _mm256_loadu_pd(cosine + i)),
                          _mm256_set1_pd(1.3));
        const __m256d rounded =
            _mm256_round_pd(_mm256_add_pd(product, _mm256_set1_pd(Width::center)), Nearest);
        const __m128i modulated = _mm256_cvtpd_epi32(_mm256_min_pd(
            _mm256_max_pd(rounded, _mm256_set1_pd(Width::low)), _mm256_set1_pd(Width::high)));
        const __m128i result = _mm_blendv_epi8(samples, modulated, loud);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(x + i), _mm_packs_epi32(result, result));
    }
    ringFrames<Width>(x + i, cosine + i, count - i);
}
#endif
} // namespace

void ringModulate(std::span<int16_t> samples, FrameRange range, bool eightBit,
                  const StepObserver& stepDone) {
    const auto& cosine = carrier();
    withWidth(eightBit, [&]<class Width>(Width) {
        forEachStep(range.size(), stepDone, [&](int64_t begin, int64_t end) {
            // In stretches that end where the carrier starts over.
            for (int64_t k = range.first + begin, stop = range.first + end; k < stop;) {
                const int phase = int(k % CarrierFrames);
                const int64_t count = std::min<int64_t>(stop - k, CarrierFrames - phase);
#ifdef SONO_AVX2_LOOPS
                if (machineHasAvx2())
                    ringFourAtATime<Width>(samples.data() + k, cosine.data() + phase, count);
                else
#endif
                    ringFrames<Width>(samples.data() + k, cosine.data() + phase, count);
                k += count;
            }
        });
    });
}

namespace {
// The satellite's carrier at frame k, and a sample modulated by it, exactly as described.
double satelliteCarrier(int64_t k, double sampleRate) {
    return std::sin(double(k) / sampleRate * 44100.0 / 120.0);
}
template <class Width> int16_t satelliteSample(int16_t x, double c) {
    if constexpr (std::is_same_v<Width, Bits8>) {
        return clipped<Bits8>(roundHalfEven(x * c));
    } else {
        const int32_t lifted = x + 32766;
        return clipped<Bits16>(roundHalfEven(lifted * c - 32766));
    }
}

// Frames [begin, end) of one channel, or of two that share the carrier (right may be null).
template <class Width>
void satelliteFrames(int16_t* left, int16_t* right, int64_t begin, int64_t end, double sampleRate) {
    for (int64_t k = begin; k < end; ++k) {
        const double c = satelliteCarrier(k, sampleRate);
        left[k] = satelliteSample<Width>(left[k], c);
        if (right) right[k] = satelliteSample<Width>(right[k], c);
    }
}

#ifdef SONO_AVX2_LOOPS
// The carrier of four frames at once. The argument is worked out as the plain loop does; its sine
// comes from a polynomial after reducing by pi / 2 in four parts (the first three short enough
// that their products with the quadrant count are exact), and lies within about 1e-15 of the
// library's sine for arguments up to FastSineLimit. Such a difference moves a modulated sample by
// less than 1e-10, which only matters for a sample whose exact value lies that close to a
// rounding boundary: the caller takes those from the plain loop.
constexpr double FastSineLimit = 1.0e8;

__attribute__((target("avx2"), always_inline)) inline void sineOfFour(const __m256d& x,
                                                                      __m256d& sine) {
    constexpr int Nearest = _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC;
    const __m256d quadrants =
        _mm256_round_pd(_mm256_mul_pd(x, _mm256_set1_pd(0.63661977236758138)), Nearest);
    __m256d r = _mm256_sub_pd(x, _mm256_mul_pd(quadrants, _mm256_set1_pd(0x1.921fb54p+0)));
    r = _mm256_sub_pd(r, _mm256_mul_pd(quadrants, _mm256_set1_pd(0x1.10b461p-30)));
    r = _mm256_sub_pd(r, _mm256_mul_pd(quadrants, _mm256_set1_pd(0x1.a62633p-58)));
    r = _mm256_sub_pd(r, _mm256_mul_pd(quadrants, _mm256_set1_pd(0x1.45c06e0e68948p-86)));
    // sin r = r + r z (S1 + z (S2 + ...)) and cos r = 1 - z / 2 + z z (C1 + z (C2 + ...)) on
    // [-pi/4, pi/4], z = r r; the cosine sums 1 - z / 2 last, keeping the bits it loses.
    static constexpr double SineTerms[] = {-1.66666666666666324348e-01, 8.33333333332248946124e-03,
                                           -1.98412698298579493134e-04, 2.75573137070700676789e-06,
                                           -2.50507602534068634195e-08, 1.58969099521155010221e-10};
    static constexpr double CosineTerms[] = {
        4.16666666666666019037e-02,  -1.38888888888741095749e-03, 2.48015872894767294178e-05,
        -2.75573143513906633035e-07, 2.08757232129817482790e-09,  -1.13596475577881948265e-11};
    const __m256d z = _mm256_mul_pd(r, r);
    __m256d p = _mm256_set1_pd(SineTerms[5]), q = _mm256_set1_pd(CosineTerms[5]);
    for (int i = 4; i >= 0; --i) {
        p = _mm256_add_pd(_mm256_set1_pd(SineTerms[i]), _mm256_mul_pd(z, p));
        q = _mm256_add_pd(_mm256_set1_pd(CosineTerms[i]), _mm256_mul_pd(z, q));
    }
    const __m256d sineOfR = _mm256_add_pd(r, _mm256_mul_pd(_mm256_mul_pd(z, r), p));
    const __m256d one = _mm256_set1_pd(1.0), half = _mm256_mul_pd(_mm256_set1_pd(0.5), z);
    const __m256d w = _mm256_sub_pd(one, half);
    const __m256d cosine =
        _mm256_add_pd(w, _mm256_add_pd(_mm256_sub_pd(_mm256_sub_pd(one, w), half),
                                       _mm256_mul_pd(z, _mm256_mul_pd(z, q))));
    // Quadrant 0: sin r, 1: cos r, 2: -sin r, 3: -cos r.
    const __m128i quadrant = _mm256_cvtpd_epi32(quadrants);
    const __m256i odd = _mm256_cvtepi32_epi64(_mm_slli_epi32(quadrant, 31));
    const __m256i negative = _mm256_cvtepi32_epi64(_mm_slli_epi32(_mm_srli_epi32(quadrant, 1), 31));
    const __m256d chosen = _mm256_blendv_pd(sineOfR, cosine, _mm256_castsi256_pd(odd));
    sine = _mm256_xor_pd(chosen, _mm256_castsi256_pd(_mm256_slli_epi64(negative, 32)));
}

// Four samples of one channel modulated by c into `rounded`; false when one of them lies within
// `margin` of a rounding boundary, where only the library's sine decides it.
template <class Width>
__attribute__((target("avx2"))) bool modulateFour(const int16_t* x, const __m256d& c,
                                                  const __m256d& margin, __m128i& result) {
    constexpr int Nearest = _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC;
    const __m256d samples = _mm256_cvtepi32_pd(
        _mm_cvtepi16_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(x))));
    __m256d value;
    if constexpr (std::is_same_v<Width, Bits8>) {
        value = _mm256_mul_pd(samples, c);
    } else {
        const __m256d lifted = _mm256_add_pd(samples, _mm256_set1_pd(32766));
        value = _mm256_sub_pd(_mm256_mul_pd(lifted, c), _mm256_set1_pd(32766));
    }
    const __m256d fraction = _mm256_sub_pd(value, _mm256_floor_pd(value));
    const __m256d fromHalf =
        _mm256_andnot_pd(_mm256_set1_pd(-0.0), _mm256_sub_pd(fraction, _mm256_set1_pd(0.5)));
    if (_mm256_movemask_pd(_mm256_cmp_pd(fromHalf, margin, _CMP_LT_OQ)) != 0) return false;
    const __m256d clippedValue =
        _mm256_min_pd(_mm256_max_pd(_mm256_round_pd(value, Nearest), _mm256_set1_pd(Width::low)),
                      _mm256_set1_pd(Width::high));
    const __m128i whole = _mm256_cvtpd_epi32(clippedValue);
    result = _mm_packs_epi32(whole, whole);
    return true;
}

// satelliteFrames sixteen frames at a time. The carrier of a block of sixteen comes from the sine
// and cosine of its first frame's argument by the sum formula, with the sines and cosines of the
// sixteen steps worked out once; the argument is the frame number times one factor instead of
// the plain loop's two divisions and a product. All told the carrier lies within ten roundings
// of 2^-53 of the argument (and 1e-14) of the plain loop's, which moves a sample of at most 65536
// by at most 65536 times 2^-49 of the argument: that is added to the margin in which a sample is
// left to the plain loop.
template <class Width>
__attribute__((target("avx2"))) void satelliteSixteenAtATime(int16_t* left, int16_t* right,
                                                             int64_t begin, int64_t end,
                                                             double sampleRate) {
    constexpr int Block = 16;
    const double perFrame = 44100.0 / 120.0 / sampleRate;
    const double largest = double(end) * perFrame * (1 + 0x1p-40);
    const __m256d margin = _mm256_set1_pd(1e-6 + 65536 * 0x1p-49 * largest);
    __m256d stepSine[Block / 4], stepCosine[Block / 4];
    for (int group = 0; group < Block / 4; ++group) {
        alignas(32) double sines[4], cosines[4];
        for (int lane = 0; lane < 4; ++lane) {
            sines[lane] = std::sin((4 * group + lane) * perFrame);
            cosines[lane] = std::cos((4 * group + lane) * perFrame);
        }
        stepSine[group] = _mm256_load_pd(sines);
        stepCosine[group] = _mm256_load_pd(cosines);
    }
    int64_t k = begin;
    for (; k + Block <= end; k += Block) {
        const double first = double(k) * perFrame;
        if (!(first >= 0 && first + Block * perFrame <= FastSineLimit)) {
            satelliteFrames<Width>(left, right, k, k + Block, sampleRate);
            continue;
        }
        constexpr double QuarterTurn = std::numbers::pi / 2;
        __m256d firstSineAndCosine;
        sineOfFour(_mm256_setr_pd(first, first + QuarterTurn, first, first + QuarterTurn),
                   firstSineAndCosine);
        const __m256d firstSine = _mm256_permute4x64_pd(firstSineAndCosine, 0x00);
        const __m256d firstCosine = _mm256_permute4x64_pd(firstSineAndCosine, 0x55);
        for (int group = 0; group < Block / 4; ++group) {
            const int64_t at = k + 4 * group;
            const __m256d c = _mm256_add_pd(_mm256_mul_pd(firstSine, stepCosine[group]),
                                            _mm256_mul_pd(firstCosine, stepSine[group]));
            __m128i leftResult, rightResult;
            if (modulateFour<Width>(left + at, c, margin, leftResult) &&
                (!right || modulateFour<Width>(right + at, c, margin, rightResult))) {
                _mm_storel_epi64(reinterpret_cast<__m128i*>(left + at), leftResult);
                if (right) _mm_storel_epi64(reinterpret_cast<__m128i*>(right + at), rightResult);
                continue;
            }
            satelliteFrames<Width>(left, right, at, at + 4, sampleRate);
        }
    }
    satelliteFrames<Width>(left, right, k, end, sampleRate);
}
#endif
} // namespace

void satelliteModulate(std::span<int16_t> left, std::span<int16_t> right, FrameRange range,
                       double sampleRate, bool eightBit, const StepObserver& stepDone) {
    int16_t* second = right.empty() ? nullptr : right.data();
    withWidth(eightBit, [&]<class Width>(Width) {
        forEachStep(range.size(), stepDone, [&](int64_t begin, int64_t end) {
#ifdef SONO_AVX2_LOOPS
            if (machineHasAvx2())
                return satelliteSixteenAtATime<Width>(left.data(), second, range.first + begin,
                                                      range.first + end, sampleRate);
#endif
            satelliteFrames<Width>(left.data(), second, range.first + begin, range.first + end,
                                   sampleRate);
        });
    });
}

} // namespace sono
