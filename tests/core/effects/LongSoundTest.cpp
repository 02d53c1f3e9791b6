// The vectorised loops of volume and normalize against the plain arithmetic they stand for, on a
// long random sound whose length is no multiple of any vector width.
#include <cmath>

#include "EffectFixture.h"
#include "effects/Normalize.h"
#include "effects/Volume.h"

namespace sono::test {
namespace {

constexpr size_t LongFrames = 1'000'003;

int16_t clip(double rounded, bool eightBit) {
    const double low = eightBit ? 0 : -32766, high = eightBit ? 255 : 32767;
    return int16_t(std::clamp(rounded, low, high));
}

TEST(LongSound, VolumeAndNormalizeGiveTheScalarResultsSampleForSample) {
    for (const bool eightBit : {false, true}) {
        const int center = eightBit ? 128 : 0;
        const Samples original = eightBit ? noise(LongFrames, 31, 0, 255) : noise(LongFrames, 32);
        const FrameRange range{3, int64_t(LongFrames) - 2};
        const int64_t length = range.last - range.first;

        // A fade, and one factor throughout.
        for (const auto& [from, to] : {std::pair{0.37f, 2.71f}, std::pair{1.37f, 1.37f}}) {
            Samples changed = original, expected = original;
            changeVolume(changed, range, {from, to}, eightBit);
            const double slope = (double(to) - double(from)) / double(length);
            for (int64_t k = 0; k <= length; ++k) {
                const double factor = k == length ? double(to) : from + slope * double(k);
                int16_t& x = expected[size_t(range.first + k)];
                x = clip(std::nearbyint(factor * (x - center) + center), eightBit);
            }
            EXPECT_EQ(changed, expected)
                << "volume " << from << " to " << to << ", 8 bits " << eightBit;
        }

        Samples normalized = original, expected = original;
        const int32_t peak = eightBit ? 101 : 12345;
        normalizeFrames(normalized, range, peak, eightBit);
        const int fullScale = eightBit ? 128 : 32766;
        for (int64_t k = range.first; k <= range.last; ++k) {
            int16_t& x = expected[size_t(k)];
            x = clip(std::nearbyint(double((x - center) * fullScale) / peak + center), eightBit);
        }
        EXPECT_EQ(normalized, expected) << "normalize, 8 bits " << eightBit;
    }
}

} // namespace
} // namespace sono::test
