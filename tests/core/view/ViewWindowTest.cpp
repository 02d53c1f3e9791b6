// The two-second window: when it shows, the frames it shows, and the mapping between pixel columns
// and frames in both kinds of view.
#include <gtest/gtest.h>

#include <tuple>

#include "view/ViewWindow.h"

namespace sono {
namespace {

constexpr double Rate = 44100;

// The two seconds a view shows are the first (the batch runner's graphic); without the scroll bar,
// the whole sound.
TEST(ViewWindow, TwoSecondsShowOnlyWithZoomForSoundsLongerThanThat) {
    const auto shown = [](int64_t frames, const ScrollRange& range, int32_t value) {
        const ViewWindow view = viewWindow(frames, Rate, range, value);
        return std::tuple(view.twoSeconds, view.ViewStart, view.ViewEnd);
    };
    EXPECT_FALSE(scrollRange(false, 441000, Rate, 1000).shown);
    EXPECT_FALSE(scrollRange(true, 441000, 0, 1000).shown);
    const ScrollRange range = scrollRange(true, 441000, Rate, 1000);
    EXPECT_TRUE(range.shown);
    EXPECT_EQ(shown(441000, range, 0), std::tuple(true, 0.0, 88199.0));
    EXPECT_EQ(shown(441000, ScrollRange{}, 200), std::tuple(false, 0.0, 440999.0));

    // Exactly two seconds stay whole; one frame more shows the window, with nothing to scroll.
    const ScrollRange exact = scrollRange(true, 88200, Rate, 1000);
    EXPECT_FALSE(exact.shown);
    EXPECT_EQ(shown(88200, exact, 0), std::tuple(false, 0.0, 88199.0));
    const ScrollRange barely = scrollRange(true, 88201, Rate, 1000);
    EXPECT_TRUE(barely.shown);
    EXPECT_EQ(barely.maximum, 0);
    EXPECT_EQ(shown(88201, barely, 5), std::tuple(true, 0.0, 88199.0));
}

TEST(Mapping, WholeSoundDividesByWidthLessOneOneWayAndByWidthTheOther) {
    const ViewWindow whole = viewWindow(1000, Rate, ScrollRange{}, 0);
    EXPECT_EQ(FrameAtX(0, whole, 1000, Rate, 101), 0);
    EXPECT_EQ(FrameAtX(50, whole, 1000, Rate, 101), 500);
    EXPECT_EQ(FrameAtX(100, whole, 1000, Rate, 101), 1000); // past the end
    EXPECT_DOUBLE_EQ(FrameAtX(1, whole, 1000, Rate, 101), 10);

    EXPECT_EQ(XAtFrame(0, whole, 1000, Rate, 101), 0);
    EXPECT_DOUBLE_EQ(XAtFrame(500, whole, 1000, Rate, 101), 50.5);
    EXPECT_DOUBLE_EQ(XAtFrame(1000, whole, 1000, Rate, 101), 101);
}

TEST(Mapping, TwoSecondWindowStartsAtViewStart) {
    const ScrollRange range = scrollRange(true, 441000, Rate, 1001);
    const ViewWindow view = viewWindow(441000, Rate, range, range.maximum / 2);
    ASSERT_TRUE(view.twoSeconds);
    const double start = view.ViewStart;
    EXPECT_EQ(FrameAtX(0, view, 441000, Rate, 1001), start);
    EXPECT_DOUBLE_EQ(FrameAtX(500, view, 441000, Rate, 1001), start + 44100);
    EXPECT_DOUBLE_EQ(FrameAtX(1000, view, 441000, Rate, 1001), view.ViewEnd + 1);

    EXPECT_EQ(XAtFrame(start, view, 441000, Rate, 1001), 0);
    EXPECT_DOUBLE_EQ(XAtFrame(start + 44100, view, 441000, Rate, 1001), 500.5);
    // A frame before the window lies left of the view.
    EXPECT_DOUBLE_EQ(XAtFrame(start - 882, view, 441000, Rate, 1001), -10.01);
}

} // namespace
} // namespace sono
