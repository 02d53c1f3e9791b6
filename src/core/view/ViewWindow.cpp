#include "view/ViewWindow.h"

#include <algorithm>
#include <limits>

#include "support/Numbers.h"

namespace sono {

namespace {

// A rounded scroll-bar number, held inside 0 .. the largest 32-bit value. The range of a sound of
// a few hours in a wide view passes 32767, and a sound at a very low rate could pass even 32 bits.
int32_t scrollNumber(double x) {
    const double rounded = roundHalfEven(x);
    if (!(rounded > 0)) return 0;
    if (rounded >= double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return int32_t(rounded);
}

} // namespace

ScrollRange scrollRange(bool zoomOption, int64_t sampleCount, double sampleRate, int width) {
    ScrollRange range;
    if (!zoomOption || !(sampleRate > 0) || !(2 * sampleRate < double(sampleCount))) return range;
    const double w = width;
    range.shown = true;
    // One scroll unit per 10 pixels for each second beyond the first of the window's two.
    range.maximum = scrollNumber((double(sampleCount) / sampleRate / 2 - 1) / 10 * w);
    range.largeChange = scrollNumber(w / 10);
    range.smallChange = scrollNumber(double(range.largeChange) / 4);
    return range;
}

ViewWindow viewWindow(int64_t sampleCount, double sampleRate, const ScrollRange& scroll,
                      int32_t scrollValue) {
    if (!scroll.shown) return {0, double(sampleCount) - 1, false};
    ViewWindow view;
    view.twoSeconds = true;
    // A scroll bar never holds a value outside its range; neither does the window.
    const int32_t maximum = std::max<int32_t>(scroll.maximum, 0);
    const int32_t value = std::clamp<int32_t>(scrollValue, 0, maximum);
    // A window only a little longer than two seconds has a range of 0: it starts at the start.
    view.ViewStart = maximum > 0 ? (double(sampleCount) - 2 * sampleRate) * value / maximum : 0.0;
    view.ViewEnd = 2 * sampleRate + view.ViewStart - 1;
    return view;
}

double FrameAtX(double x, const ViewWindow& view, int64_t sampleCount, double sampleRate,
                int width) {
    if (view.zoomed()) return view.ViewStart + view.span * x / std::max(width, 1);
    // Pixel 0 is the first frame shown and pixel width - 1 the frame just past the last; a view a
    // single column wide has only its first frame.
    if (width <= 1) return view.twoSeconds ? view.ViewStart : 0.0;
    const double divisor = double(width) - 1;
    if (!view.twoSeconds) return x * double(sampleCount) / divisor;
    return view.ViewStart + x * sampleRate * 2 / divisor;
}

double XAtFrame(double f, const ViewWindow& view, int64_t sampleCount, double sampleRate,
                int width) {
    const double w = width;
    if (view.zoomed()) return (f - view.ViewStart) * w / view.span;
    if (!view.twoSeconds) return sampleCount > 0 ? f / double(sampleCount) * w : 0.0;
    return sampleRate > 0 ? (f - view.ViewStart) / 2 / sampleRate * w : 0.0;
}

} // namespace sono
