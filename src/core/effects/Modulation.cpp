#include "effects/Modulation.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <type_traits>

#include "support/Numbers.h"
#include "document/SampleWidth.h"

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

void ringModulate(std::span<int16_t> samples, FrameRange range, bool eightBit,
                  const StepObserver& stepDone) {
    const auto& cosine = carrier();
    withWidth(eightBit, [&]<class Width>(Width) {
        forEachStep(range.size(), stepDone, [&](int64_t begin, int64_t end) {
            int64_t k = range.first + begin;
            int phase = int(k % CarrierFrames);
            for (const int64_t stop = range.first + end; k < stop; ++k) {
                const int32_t centered = samples[k] - Width::center;
                if (std::abs(centered) > Width::loud)
                    samples[k] = clipped<Width>(
                        roundHalfEven(centered * cosine[phase] * 1.3 + Width::center));
                if (++phase == CarrierFrames) phase = 0;
            }
        });
    });
}

void satelliteModulate(std::span<int16_t> samples, FrameRange range, double sampleRate,
                       bool eightBit, const StepObserver& stepDone) {
    withWidth(eightBit, [&]<class Width>(Width) {
        forEachStep(range.size(), stepDone, [&](int64_t begin, int64_t end) {
            for (int64_t k = range.first + begin, stop = range.first + end; k < stop; ++k) {
                const double c = std::sin(double(k) / sampleRate * 44100.0 / 120.0);
                if constexpr (std::is_same_v<Width, Bits8>) {
                    samples[k] = clipped<Bits8>(roundHalfEven(samples[k] * c));
                } else {
                    const int32_t lifted = samples[k] + 32766;
                    samples[k] = clipped<Bits16>(roundHalfEven(lifted * c - 32766));
                }
            }
        });
    });
}

} // namespace sono
