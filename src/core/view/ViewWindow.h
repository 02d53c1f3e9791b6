#pragma once
// Which frames the views show, and how view columns and frames map onto each other. The views
// show the whole sound, the two-second window of the Zoom option (2 x SampleRate frames that the
// scroll bar moves), or a zoomed stretch of any length (ViewZoom). All arithmetic is in double
// precision, exact for any frame of a sound in memory.
#include <cstdint>

namespace sono {

// The scroll bar of the two-second window, for a view `width` pixels wide. Its range is 32-bit:
// long sounds pass what a 16-bit range can count.
struct ScrollRange {
    bool shown = false; // false: the whole sound is shown
    int32_t maximum = 0;
    int32_t largeChange = 1;
    int32_t smallChange = 1;
};
ScrollRange scrollRange(bool zoomOption, int64_t sampleCount, double sampleRate, int width);

// The frames shown, both inclusive (ViewStart may be fractional in the two-second window and in
// a zoomed view).
struct ViewWindow {
    double ViewStart = 0;
    double ViewEnd = -1;
    bool twoSeconds = false;
    // A zoomed view: `span` frames across the view's width, ViewEnd = ViewStart + span - 1. Its
    // columns and pixels map onto frames by one scale both ways: frame f lies at pixel
    // (f - ViewStart) x width / span, and column c holds the frames from its left edge up to
    // the next column's. 0 for the whole sound and the two-second window.
    double span = 0;
    bool zoomed() const { return span > 0; }
};
// The whole sound, or with `scroll.shown` the two seconds from (SampleCount - 2 x SampleRate) x
// value / maximum (a maximum of 0 counts as the start).
ViewWindow viewWindow(int64_t sampleCount, double sampleRate, const ScrollRange& scroll,
                      int32_t scrollValue);

// The frame under pixel column x of a view `width` pixels wide; the last column maps to the frame
// just past the end, which the caller clamps. In a zoomed view, the frame at the left edge of
// pixel x (fractional at deep zoom).
double FrameAtX(double x, const ViewWindow& view, int64_t sampleCount, double sampleRate,
                int width);
// The pixel position of frame f.
double XAtFrame(double f, const ViewWindow& view, int64_t sampleCount, double sampleRate,
                int width);

} // namespace sono
