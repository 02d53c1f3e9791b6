#include "view/ViewZoom.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sono {

namespace {
// The scroll bar's largest value: far from 32-bit overflow when Qt adds a page to it.
constexpr double BarRange = 1 << 30;
} // namespace

void ViewZoom::setSound(int64_t frames, double rate) {
    frames_ = std::max<int64_t>(frames, 0);
    rate_ = rate;
    keepInside();
}

void ViewZoom::setWidth(int width) {
    width_ = std::max(width, 1);
    keepInside();
}

void ViewZoom::showWhole() {
    whole_ = true;
    start_ = 0;
    span_ = double(frames_);
}

void ViewZoom::show(double start, double span) {
    whole_ = false;
    start_ = start;
    span_ = span;
    keepInside();
}

void ViewZoom::showFrames(double first, double last) {
    show(first, last - first + 1);
}

void ViewZoom::keepInside() {
    if (whole_) {
        span_ = double(frames_);
        return;
    }
    // At least a few pixels per frame, and no more frames than the sound has.
    span_ = std::max(span_, shortestSpan());
    if (!(span_ < double(frames_)) || !std::isfinite(span_)) {
        showWhole();
        return;
    }
    start_ = std::clamp(start_, 0.0, double(frames_) - span_);
}

double ViewZoom::shortestSpan() const {
    return width_ / MostPixelsPerFrame;
}

void ViewZoom::zoomAround(double x, double factor) {
    // The frame under the pointer as the view maps it, the whole sound's mapping included.
    const double frame = FrameAtX(x, window(), frames_, rate_, width_);
    const double newSpan = std::max(span() * factor, shortestSpan());
    show(frame - x * newSpan / width_, newSpan);
}

void ViewZoom::scrollTo(double start) {
    if (whole_) return;
    start_ = start;
    keepInside();
}

void ViewZoom::scrollBy(double pixels) {
    scrollTo(start_ + pixels * span_ / width_);
}

bool ViewZoom::follow(double frame) {
    if (whole_ || (frame >= start_ && frame < start_ + span_)) return false;
    const double before = start_;
    scrollTo(frame);
    return start_ != before;
}

ViewWindow ViewZoom::window() const {
    if (whole_) return {0, double(frames_) - 1, false};
    return {start_, start_ + span_ - 1, false, span_};
}

double ViewZoom::columnsPerUnit() const {
    const double columns = (double(frames_) - span_) * width_ / span_;
    return std::max(1.0, columns / BarRange);
}

ScrollBarState ViewZoom::scrollBar() const {
    if (whole_) return {};
    const double unit = columnsPerUnit();
    const double pixelsPerFrame = width_ / span_;
    ScrollBarState bar;
    bar.shown = true;
    // The last value is the end of the sound: the value of a stretch ending there, rounded alike.
    bar.maximum = int(std::lround((double(frames_) - span_) * pixelsPerFrame / unit));
    bar.pageStep = std::max(1, int(width_ / unit));
    bar.singleStep = std::max(1, int(width_ / 10 / unit));
    bar.value = std::min(bar.maximum, int(std::lround(start_ * pixelsPerFrame / unit)));
    return bar;
}

void ViewZoom::scrollToBar(int value) {
    if (whole_) return;
    const ScrollBarState bar = scrollBar();
    // The last value is the end of the sound, whatever rounding made of the columns before it.
    if (value >= bar.maximum) {
        scrollTo(double(frames_));
        return;
    }
    scrollTo(value * columnsPerUnit() * span_ / width_);
}

} // namespace sono
