#pragma once
// Number helpers shared by every computation on samples and frames.
#include <cmath>
#include <cstdint>
#include <string>

namespace sono {

// Round to the nearest whole number, halves to the even one (the default FP rounding mode, which
// the program never changes; rint is nearbyint without the inexact flag, and much faster).
inline double roundHalfEven(double x) {
    return std::rint(x);
}
inline int64_t roundToInt(double x) {
    return static_cast<int64_t>(std::rint(x));
}

// Shortest decimal form with '.' as decimal sign, e.g. "44100", "1.5", "-1".
std::string shortestDecimal(double value);
std::string shortestDecimal(float value);

// The status texts' rule: shortest decimal form with one leading blank when not negative.
std::string numberText(double value);
std::string numberText(float value);

} // namespace sono
