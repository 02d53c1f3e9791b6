// The zoom at every level on random sounds: which frames each column holds and which frame lies
// under each pixel, zooming around a pixel within the limits, the scroll bar of long sounds,
// following the play cursor, and the time ruler's round marks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "view/Columns.h"
#include "view/Ruler.h"
#include "view/ViewZoom.h"

namespace sono {
namespace {

class ViewZoomTest : public ::testing::Test {
  protected:
    std::mt19937 random{20261207};

    double uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    }

    // A zoom of a random sound and width at a random level (spread evenly over the powers of two
    // from the deepest zoom to the whole sound), scrolled to a random place.
    ViewZoom randomZoom(int64_t& frames, int& width) {
        frames = int64_t(uniform(200, 2e6));
        width = int(uniform(50, 1600));
        ViewZoom zoom;
        zoom.setSound(frames, 44100);
        zoom.setWidth(width);
        const double shortest = width / ViewZoom::MostPixelsPerFrame;
        const double span = shortest * std::pow(double(frames) / shortest, uniform(0, 1.05));
        zoom.show(uniform(0, double(frames)), span);
        return zoom;
    }
};

TEST_F(ViewZoomTest, EveryShownFrameLiesInTheColumnUnderItsPixel) {
    for (int round = 0; round < 200; ++round) {
        int64_t frames;
        int width;
        const ViewZoom zoom = randomZoom(frames, width);
        if (zoom.whole()) continue;
        const ViewWindow view = zoom.window();
        ASSERT_GE(view.ViewStart, 0);
        ASSERT_LE(view.ViewEnd, double(frames) - 1 + 1e-6);
        // The columns hold the frames in order, each once, from the first at or after the left
        // edge to the last before the right one.
        int64_t next = int64_t(std::ceil(view.ViewStart));
        for (int c = 0; c < width; ++c) {
            const ColumnFrames column = columnFrames(view, width, c);
            ASSERT_EQ(column.first, next) << "column " << c;
            ASSERT_GE(column.last, column.first - 1);
            for (int64_t k = column.first; k <= column.last; ++k)
                ASSERT_EQ(int(std::floor(XAtFrame(double(k), view, frames, 44100, width) + 1e-7)),
                          c)
                    << "frame " << k;
            next = column.last + 1;
        }
        EXPECT_LE(double(next), view.ViewStart + view.span + 1);
        // Pixels and frames map onto each other one way and back.
        for (double x : {0.0, 1.0, width / 3.0, width - 1.0, double(width)}) {
            const double f = FrameAtX(x, view, frames, 44100, width);
            EXPECT_NEAR(XAtFrame(f, view, frames, 44100, width), x, 1e-6);
        }
    }
}

TEST_F(ViewZoomTest, ZoomingKeepsTheFrameUnderThePointerWithinTheLimits) {
    for (int round = 0; round < 200; ++round) {
        int64_t frames;
        int width;
        ViewZoom zoom = randomZoom(frames, width);
        const double x = uniform(0, width);
        const double factor = std::pow(2, uniform(-3, 3));
        const double frame = FrameAtX(x, zoom.window(), frames, 44100, width);
        const double span = zoom.span();
        zoom.zoomAround(x, factor);
        const double wanted = span * factor;
        if (wanted >= double(frames)) {
            EXPECT_TRUE(zoom.whole());
            continue;
        }
        EXPECT_DOUBLE_EQ(zoom.span(), std::max(wanted, width / ViewZoom::MostPixelsPerFrame));
        // Where the sound's ends allow it, the frame stays under the pointer.
        const double wantedStart = frame - x * zoom.span() / width;
        const double start = std::clamp(wantedStart, 0.0, double(frames) - zoom.span());
        EXPECT_NEAR(zoom.start(), start, 1e-6 * double(frames));
        if (wantedStart == start) {
            EXPECT_NEAR(FrameAtX(x, zoom.window(), frames, 44100, width), frame, 1e-6 * span);
        }
    }
}

TEST_F(ViewZoomTest, ScrollBarReachesBothEndsOfAnHourAtTheDeepestZoom) {
    const int64_t hour = 3600 * 44100;
    ViewZoom zoom;
    zoom.setSound(hour, 44100);
    zoom.setWidth(1200);
    zoom.show(hour / 2, 1);
    EXPECT_DOUBLE_EQ(zoom.span(), 1200 / ViewZoom::MostPixelsPerFrame);
    const ScrollBarState bar = zoom.scrollBar();
    ASSERT_TRUE(bar.shown);
    EXPECT_GT(bar.maximum, 1 << 29);
    EXPECT_LE(bar.maximum, 1 << 30);
    EXPECT_NEAR(double(bar.value) / bar.maximum, 0.5, 1e-6);
    zoom.scrollToBar(bar.maximum);
    EXPECT_DOUBLE_EQ(zoom.window().ViewEnd, double(hour) - 1);
    EXPECT_EQ(zoom.scrollBar().value, bar.maximum);
    // So is every stretch's end, whatever the width.
    for (int width : {1000, 1101, 1102, 1317}) {
        zoom.setWidth(width);
        zoom.show(hour, 12345);
        EXPECT_EQ(zoom.scrollBar().value, zoom.scrollBar().maximum) << width;
    }
    zoom.setWidth(1200);
    zoom.scrollToBar(0);
    EXPECT_EQ(zoom.start(), 0);
    // At one frame a column the bar counts columns: a page is the view's width.
    zoom.show(44100, 1200);
    EXPECT_EQ(zoom.scrollBar().value, 44100);
    EXPECT_EQ(zoom.scrollBar().pageStep, 1200);
    zoom.scrollBy(-300);
    EXPECT_EQ(zoom.start(), 43800);

    // The whole sound shows no bar; a stretch that outgrows the sound becomes the whole sound.
    zoom.showWhole();
    EXPECT_FALSE(zoom.scrollBar().shown);
    zoom.show(0, 2.0 * hour);
    EXPECT_TRUE(zoom.whole());
}

TEST_F(ViewZoomTest, FollowingTurnsAPageWhenTheFrameLeavesTheView) {
    ViewZoom zoom;
    zoom.setSound(441000, 44100);
    zoom.setWidth(1000);
    zoom.show(0, 88200);
    EXPECT_FALSE(zoom.follow(88199));
    EXPECT_TRUE(zoom.follow(88200));
    EXPECT_EQ(zoom.start(), 88200);
    EXPECT_TRUE(zoom.follow(10));
    EXPECT_EQ(zoom.start(), 10);
    // The last page ends with the sound.
    EXPECT_TRUE(zoom.follow(400000));
    EXPECT_EQ(zoom.start(), 441000 - 88200);
    // A shorter sound keeps the stretch inside it.
    zoom.setSound(100000, 44100);
    EXPECT_EQ(zoom.window().ViewEnd, 99999);
}

TEST_F(ViewZoomTest, RulerMarksStandAtRoundTimesFarEnoughApart) {
    for (int round = 0; round < 300; ++round) {
        int64_t frames;
        int width;
        ViewZoom zoom = randomZoom(frames, width);
        const double rate = round % 3 == 0 ? 8000 : 44100;
        zoom.setSound(frames, rate);
        const ViewWindow view = zoom.window();
        const Ruler ruler = rulerOf(view, frames, rate, width);
        ASSERT_GT(ruler.step, 0);
        // The step is a clock's round step, or 1, 2 or 5 times a power of ten below a second.
        const double mantissa = ruler.step / std::pow(10, std::floor(std::log10(ruler.step)));
        if (ruler.step < 1) {
            EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
                        std::abs(mantissa - 5) < 1e-9)
                << ruler.step;
        }
        const double pixelsPerStep =
            ruler.step * rate * width / (view.ViewEnd + 1 - view.ViewStart);
        EXPECT_GE(pixelsPerStep, RulerSpacing - 1e-6);
        // The half step (or the next round step down) would crowd the labels.
        if (ruler.step > 1e-8) {
            EXPECT_LT(pixelsPerStep / 2.5, RulerSpacing) << ruler.step;
        }
        ASSERT_FALSE(ruler.marks.empty() && pixelsPerStep < width / 2.0);
        for (size_t i = 0; i < ruler.marks.size(); ++i) {
            const RulerMark& mark = ruler.marks[i];
            EXPECT_NEAR(mark.seconds / ruler.step, std::round(mark.seconds / ruler.step), 1e-6);
            EXPECT_GE(mark.x, 0);
            EXPECT_LT(mark.x, width);
            EXPECT_NEAR(mark.x, XAtFrame(mark.seconds * rate, view, frames, rate, width), 1e-6);
            if (i > 0) {
                EXPECT_NEAR(mark.seconds - ruler.marks[i - 1].seconds, ruler.step, 1e-9);
            }
        }
        // None is left out at the left edge.
        if (!ruler.marks.empty()) {
            EXPECT_LT(ruler.marks[0].x, pixelsPerStep + 1e-6);
        }
    }
}

TEST(RulerLabel, MinutesAndHoursWithTheDecimalsOfTheStep) {
    EXPECT_EQ(rulerLabel(0, 0), "0");
    EXPECT_EQ(rulerLabel(12.5, 1), "12.5");
    EXPECT_EQ(rulerLabel(187.25, 2), "3:07.25");
    EXPECT_EQ(rulerLabel(3723, 0), "1:02:03");
    EXPECT_EQ(rulerLabel(59.9996, 3), "1:00.000");
    EXPECT_EQ(rulerLabel(0.0003, 4), "0.0003");
    EXPECT_EQ(rulerLabel(0.3 + 0.6, 1), "0.9");
}

} // namespace
} // namespace sono
