#pragma once
// Number helpers shared by every computation on samples and frames.
#include <cmath>
#include <cstdint>
#include <string>

namespace sono {

// Round to the nearest whole number, halves to the even one (the default FP rounding mode).
inline double roundHalfEven(double x) { return std::nearbyint(x); }
inline int64_t roundToInt(double x) { return static_cast<int64_t>(std::nearbyint(x)); }

// Shortest decimal form with '.' as decimal sign, e.g. "44100", "1.5", "-1".
std::string shortestDecimal(double value);
std::string shortestDecimal(float value);

// The status texts' rule: shortest decimal form with one leading blank when not negative.
std::string numberText(double value);
std::string numberText(float value);

} // namespace sono
