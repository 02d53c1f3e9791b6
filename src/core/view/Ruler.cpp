#include "view/Ruler.h"

#include <cmath>
#include <cstdio>
#include <tuple>
#include <utility>

namespace sono {

namespace {

// The smallest round step (in seconds) at least `least` long, and the decimals its labels need.
std::pair<double, int> roundStep(double least) {
    // Minutes and hours step in the units a clock shows.
    static constexpr double clockSteps[] = {1,   2,   5,   10,   15,   30,   60,    120,
                                            300, 600, 900, 1800, 3600, 7200, 18000, 36000};
    if (least > 1) {
        for (double step : clockSteps)
            if (step >= least) return {step, 0};
        return {std::ceil(least / 36000) * 36000, 0};
    }
    // Down through 0.5, 0.2, 0.1, 0.05, ... while the step stays long enough.
    std::pair<double, int> best{1, 0};
    for (int decimals = 1; decimals <= 9; ++decimals)
        for (double m : {5.0, 2.0, 1.0}) {
            const double step = m * std::pow(10.0, -decimals);
            if (step < least) return best;
            best = {step, decimals};
        }
    return best;
}

} // namespace

Ruler rulerOf(const ViewWindow& view, int64_t sampleCount, double sampleRate, int width) {
    Ruler ruler;
    if (width <= 0 || !(sampleRate > 0)) return ruler;
    const double first = view.ViewStart;
    const double shown = view.ViewEnd + 1 - view.ViewStart;
    if (!(shown > 0)) return ruler;
    std::tie(ruler.step, ruler.decimals) = roundStep(shown / sampleRate * RulerSpacing / width);
    const double stepFrames = ruler.step * sampleRate;
    for (auto k = int64_t(std::ceil(first / stepFrames));; ++k) {
        const double frame = double(k) * stepFrames;
        const double x = XAtFrame(frame, view, sampleCount, sampleRate, width);
        if (x >= width) break;
        if (x >= 0) ruler.marks.push_back({x, double(k) * ruler.step});
    }
    return ruler;
}

std::string rulerLabel(double seconds, int decimals) {
    const double scale = std::pow(10.0, decimals);
    // The whole label from one rounded count, so that 59.996 becomes 1:00.00 and not 0:60.00.
    const double units = std::round(seconds * scale);
    const auto wholeSeconds = int64_t(std::floor(units / scale));
    const double fraction = units - double(wholeSeconds) * scale;
    char fractionText[16] = "";
    if (decimals > 0)
        std::snprintf(fractionText, sizeof fractionText, ".%0*lld", decimals,
                      static_cast<long long>(fraction));
    const int64_t h = wholeSeconds / 3600, m = wholeSeconds / 60 % 60, s = wholeSeconds % 60;
    char text[64];
    if (h > 0)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld%s", static_cast<long long>(h),
                      static_cast<long long>(m), static_cast<long long>(s), fractionText);
    else if (m > 0)
        std::snprintf(text, sizeof text, "%lld:%02lld%s", static_cast<long long>(m),
                      static_cast<long long>(s), fractionText);
    else
        std::snprintf(text, sizeof text, "%lld%s", static_cast<long long>(s), fractionText);
    return text;
}

} // namespace sono
