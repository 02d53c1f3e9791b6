#pragma once
// What stretch of the sound the views show, and how the user moves it: the whole sound (as the
// views have always shown it), or a stretch of any length from the whole sound down to a few
// pixels per frame, anywhere in the sound. It holds the stretch as its first frame and its
// length, so that a change of the views' width keeps the same stretch in view.
#include <cstdint>

#include "view/ViewWindow.h"

namespace sono {

// A horizontal scroll bar's numbers; its range stays well inside 32 bits for any sound.
struct ScrollBarState {
    bool shown = false;
    int maximum = 0;
    int pageStep = 1;
    int singleStep = 1;
    int value = 0;
    bool operator==(const ScrollBarState&) const = default;
};

class ViewZoom {
  public:
    // The deepest zoom: this many pixels per frame.
    static constexpr double MostPixelsPerFrame = 16;

    // The sound's length and rate, and the views' width; the stretch shown is kept inside.
    void setSound(int64_t frames, double rate);
    void setWidth(int width);

    void showWhole();
    // `span` frames from `start`, kept inside the sound and the zoom's limits; a span of the
    // whole sound (or more) shows the whole sound.
    void show(double start, double span);
    // The stretch from frame first to frame last (both inclusive), as Zoom to Selection shows it.
    void showFrames(double first, double last);
    // The frames across the view times `factor` (below 1 zooms in), with the frame at pixel x
    // staying at pixel x.
    void zoomAround(double x, double factor);
    // Moves the stretch to start at `start` (kept inside the sound), or by `pixels` columns.
    void scrollTo(double start);
    void scrollBy(double pixels);
    // Brings frame f into view when it lies outside, with a page turned so that it stands at
    // the view's left edge. True when the stretch moved.
    bool follow(double frame);

    bool whole() const { return whole_; }
    double start() const { return whole_ ? 0 : start_; }
    // The frames across the view's width.
    double span() const { return whole_ ? double(frames_) : span_; }
    ViewWindow window() const;

    // The scroll bar: shown while a part of the sound is; its value counts columns, coarser for
    // a stretch so small that the columns of the whole sound would pass its range.
    ScrollBarState scrollBar() const;
    void scrollToBar(int value);

  private:
    // The frames across the view at the deepest zoom.
    double shortestSpan() const;
    // The columns of the whole sound per scroll-bar unit.
    double columnsPerUnit() const;
    void keepInside();

    int64_t frames_ = 0;
    double rate_ = 0;
    int width_ = 1;
    bool whole_ = true;
    double start_ = 0;
    double span_ = 0;
};

} // namespace sono
