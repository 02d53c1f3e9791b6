#pragma once
// The two sample widths an effect meets. Both live in 16-bit slots: a 16-bit sound holds signed
// values around 0, an 8-bit sound the file's unsigned bytes around 128. Effects are written once
// as templates over Bits16 / Bits8, so the width is decided outside every inner loop.
#include <cstdint>
#include <utility>

namespace sono {

struct Bits16 {
    static constexpr int center = 0;
    // The lower limit is -32766, not -32768, for every sample an effect or the mixer computes.
    static constexpr double low = -32766;
    static constexpr double high = 32767;
    static constexpr int fullScale = 32766; // the peak normalize aims at
    static constexpr int loud = 1024;       // distance from center above which a sample is loud
};

struct Bits8 {
    static constexpr int center = 128;
    static constexpr double low = 0;
    static constexpr double high = 255;
    static constexpr int fullScale = 128;
    static constexpr int loud = 4;
};

// A value already rounded to a whole number, clipped to the width's limits. The comparison is made
// on the double, so even absurd values (a huge factor from a script, a NaN) stay well defined.
template <class Width> inline int16_t clipped(double rounded) {
    if (!(rounded >= Width::low)) return int16_t(Width::low);
    if (rounded > Width::high) return int16_t(Width::high);
    return int16_t(rounded);
}

// Calls body(Bits8{}) or body(Bits16{}).
template <class Body> decltype(auto) withWidth(bool eightBit, Body&& body) {
    if (eightBit) return std::forward<Body>(body)(Bits8{});
    return std::forward<Body>(body)(Bits16{});
}

} // namespace sono
