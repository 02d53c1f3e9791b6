#pragma once
// The editor fixture with the sounds the effect tests are made of.
#include <cmath>
#include <numbers>
#include <random>

#include "EditorFixture.h"

namespace sono::test {

inline Samples noise(size_t frames, unsigned seed, int low = -32768, int high = 32767) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> value(low, high);
    Samples samples(frames);
    for (auto& s : samples)
        s = int16_t(value(random));
    return samples;
}

inline Samples sine(size_t frames, int period, int amplitude) {
    Samples samples(frames);
    for (size_t k = 0; k < frames; ++k)
        samples[k] =
            int16_t(std::lround(amplitude * std::sin(2 * std::numbers::pi * double(k) / period)));
    return samples;
}

using EffectFixture = EditorFixture;

} // namespace sono::test
