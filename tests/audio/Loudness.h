#pragma once
// How a recording from the tests' sound server sounds while it is loud: over the stretches of
// 10 ms that hold a sample past `loud` (the silence before and after what played, and any pause,
// are left out), for how long, how often a second it crossed the zero line, and its level.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace sono::test {

struct Loudness {
    double seconds = 0;
    double crossingsPerSecond = 0;
    double rms = 0;
};

inline Loudness loudnessOf(const std::vector<int16_t>& heard, int loud, double rate = 44100) {
    const size_t stretch = size_t(rate / 100);
    int64_t crossings = 0;
    double energy = 0;
    size_t loudFrames = 0;
    for (size_t at = 1; at + stretch <= heard.size(); at += stretch) {
        const auto begin = heard.begin() + long(at), end = begin + long(stretch);
        if (std::none_of(begin, end, [&](int16_t v) { return std::abs(v) > loud; })) continue;
        loudFrames += stretch;
        for (auto i = begin; i < end; ++i) {
            energy += double(*i) * *i;
            if ((*(i - 1) < 0) != (*i < 0)) ++crossings;
        }
    }
    if (loudFrames == 0) return {};
    const double seconds = double(loudFrames) / rate;
    return {seconds, double(crossings) / seconds, std::sqrt(energy / double(loudFrames))};
}

} // namespace sono::test
