#pragma once
// The column arithmetic of the waveform views: for every pixel column the smallest and largest
// sample of the frames that fall into it, their rows in a view, and the marks of the time scale.
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "view/ViewWindow.h"

namespace sono {

// The extremes of one pixel column, as sample values.
struct ColumnExtremes {
    int16_t high = 0;
    int16_t low = 0;
    bool operator==(const ColumnExtremes&) const = default;
};

// The frames of column c: round(ViewStart + (ViewEnd - ViewStart) x c / W) up to
// round(ViewStart + (ViewEnd - ViewStart) x (c + 1) / W - 1); a column holding no frame keeps
// its seed, the sample at the first of those positions.
// In a zoomed view the column reaches from its left edge `from` = ViewStart + span x c / W to the
// next column's, holding the frames from ceil(from) on; its extremes start from the line joining
// the frames where it crosses the column's two edges, so that single frames at deep zoom show as
// points joined by lines.
struct ColumnFrames {
    int64_t seed;  // frame whose sample starts the column's extremes
    int64_t first; // frames first..last, none when last < first
    int64_t last;
    double from = 0; // a zoomed view's column edges, as frame positions
    double to = 0;
};
ColumnFrames columnFrames(const ViewWindow& view, int width, int column);

// Every column's extremes by a pass over the samples of the view, reported after each of 100
// steps. `samples` holds at least the frames of the view.
std::vector<ColumnExtremes> columnExtremes(std::span<const int16_t> samples, const ViewWindow& view,
                                           int width,
                                           const std::function<void(int step)>& stepDone = {});

// A column's rows in an image `height` pixels high: the full scale spans the height around the
// middle row; top < bottom, the line covering rows top..bottom - 1.
struct ColumnRows {
    int top;
    int bottom;
    bool operator==(const ColumnRows&) const = default;
};
ColumnRows columnRows(ColumnExtremes extremes, bool eightBit, int height);

// The marks of the time scale: pixel column and the time of the frame there, in milliseconds.
struct TimeMark {
    int x;
    int32_t ms;
    bool operator==(const TimeMark&) const = default;
};
std::vector<TimeMark> timeMarks(const ViewWindow& view, int width, double sampleRate);

} // namespace sono
