#pragma once
// The time ruler under the views: marks at round times (whole multiples of a step of 1, 2 or 5
// times a power of ten seconds, or of round minutes and hours), far enough apart for their labels,
// whatever stretch of the sound is shown.
#include <cstdint>
#include <string>
#include <vector>

#include "view/ViewWindow.h"

namespace sono {

struct RulerMark {
    double x;       // pixel position in the view
    double seconds; // the time there
};

struct Ruler {
    double step = 0;  // seconds between marks
    int decimals = 0; // the decimals a label needs to tell the marks apart
    std::vector<RulerMark> marks;
};

// Labels stand at least this many pixels apart.
constexpr double RulerSpacing = 100;

// The marks that fall inside a view `width` pixels wide (none without a rate or a width).
Ruler rulerOf(const ViewWindow& view, int64_t sampleCount, double sampleRate, int width);

// A mark's label: "12.5" below a minute, "3:07.25" below an hour, "1:02:03" beyond, with the
// ruler's decimals.
std::string rulerLabel(double seconds, int decimals);

} // namespace sono
