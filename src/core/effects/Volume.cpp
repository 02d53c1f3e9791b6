#include "effects/Volume.h"

#include <algorithm>

#include "support/Numbers.h"
#include "document/SampleWidth.h"
#include "effects/VectorClones.h"

namespace sono {

namespace {
template <class Width> int16_t scaled(int sample, double factor) {
    return clipped<Width>(roundHalfEven(factor * (sample - Width::center) + Width::center));
}

// x[k] for k in [begin, end) scaled by start + slope * k. The frame number stays within 32 bits (a
// sound has fewer than 2^31 frames), which lets whole vectors of it become doubles.
template <class Width>
SONO_VECTOR_CLONES void scaleSloped(int16_t* __restrict x, int32_t begin, int32_t end, double start,
                                    double slope) {
    for (int32_t k = begin; k < end; ++k)
        x[k] = scaled<Width>(x[k], start + slope * double(k));
}

#ifdef SONO_AVX2_LOOPS
// The same as scaleSloped eight samples at a time, written out for AVX2, for one factor
// throughout too (a slope of 0 leaves the start factor exactly). The clip takes the lower limit
// for anything not at or above it, as the scalar clip does, a NaN included.
template <class Width>
__attribute__((target("avx2"))) void scaleEight(int16_t* x, int32_t begin, int32_t end,
                                                double start, double slope) {
    constexpr int Nearest = _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC;
    const __m256d center = _mm256_set1_pd(Width::center);
    const __m256d low = _mm256_set1_pd(Width::low), high = _mm256_set1_pd(Width::high);
    const __m256d starts = _mm256_set1_pd(start), slopes = _mm256_set1_pd(slope);
    const __m128i centers = _mm_set1_epi32(Width::center);
    const auto scaleFour = [&](__m128i samples, __m256d frames) __attribute__((target("avx2"))) {
        const __m256d factor = _mm256_add_pd(starts, _mm256_mul_pd(slopes, frames));
        const __m256d offset = _mm256_cvtepi32_pd(_mm_sub_epi32(samples, centers));
        const __m256d rounded =
            _mm256_round_pd(_mm256_add_pd(_mm256_mul_pd(factor, offset), center), Nearest);
        return _mm256_cvtpd_epi32(_mm256_min_pd(_mm256_max_pd(rounded, low), high));
    };
    int32_t k = begin;
    __m256d frames = _mm256_set_pd(k + 3, k + 2, k + 1, k);
    const __m256d four = _mm256_set1_pd(4);
    for (; k + 8 <= end; k += 8) {
        const __m256i samples =
            _mm256_cvtepi16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(x + k)));
        const __m128i first = scaleFour(_mm256_castsi256_si128(samples), frames);
        frames = _mm256_add_pd(frames, four);
        const __m128i second = scaleFour(_mm256_extracti128_si256(samples, 1), frames);
        frames = _mm256_add_pd(frames, four);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(x + k), _mm_packs_epi32(first, second));
    }
    scaleSloped<Width>(x, k, end, start, slope);
}
#endif

template <class Width>
void scaleRange(int16_t* x, int32_t begin, int32_t end, double start, double slope) {
#ifdef SONO_AVX2_LOOPS
    if (machineHasAvx2()) return scaleEight<Width>(x, begin, end, start, slope);
#endif
    scaleSloped<Width>(x, begin, end, start, slope);
}

} // namespace

void changeVolume(std::span<int16_t> samples, FrameRange range, VolumeSettings settings,
                  bool eightBit, const StepObserver& stepDone) {
    const double start = settings.startFactor;
    const int64_t length = range.last - range.first;
    const double slope = length > 0 ? (settings.endFactor - start) / double(length) : 0.0;
    // The slope times the length need not give the end factor to the last bit, so the last frame
    // takes it directly: a fade to 1.0 really ends with the sample unchanged.
    const double lastFactor = length > 0 ? double(settings.endFactor) : start;
    int16_t* x = samples.data() + range.first;
    withWidth(eightBit, [&]<class Width>(Width) {
        forEachStep(range.size(), stepDone, [&](int64_t begin, int64_t end) {
            const int64_t sloped = std::min(end, length);
            if (begin < sloped) scaleRange<Width>(x, int32_t(begin), int32_t(sloped), start, slope);
            if (end > length) x[length] = scaled<Width>(x[length], lastFactor);
        });
    });
}

} // namespace sono
