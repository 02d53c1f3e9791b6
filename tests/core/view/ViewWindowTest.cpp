// The two-second window: when the scroll bar shows, its range, the frames shown for a scroll
// value, and the mapping between pixel columns and frames in both kinds of view.
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <tuple>

#include "view/ViewWindow.h"

namespace sono {
namespace {

constexpr double Rate = 44100;

TEST(ScrollRange, ShowsOnlyWithZoomForSoundsLongerThanTwoSeconds) {
    EXPECT_FALSE(scrollRange(false, 441000, Rate, 1000).shown);
    EXPECT_FALSE(scrollRange(true, 441000, 0, 1000).shown);
    EXPECT_TRUE(scrollRange(true, 441000, Rate, 1000).shown);

    // Exactly two seconds stay whole.
    const ScrollRange exact = scrollRange(true, 88200, Rate, 1000);
    EXPECT_FALSE(exact.shown);
    const ViewWindow whole = viewWindow(88200, Rate, exact, 0);
    EXPECT_FALSE(whole.twoSeconds);
    EXPECT_EQ(whole.ViewStart, 0);
    EXPECT_EQ(whole.ViewEnd, 88199);

    // One frame more: the window shows, with nothing to scroll.
    const ScrollRange barely = scrollRange(true, 88201, Rate, 1000);
    EXPECT_TRUE(barely.shown);
    EXPECT_EQ(barely.maximum, 0);
    for (int32_t value : {0, 5}) {
        const ViewWindow view = viewWindow(88201, Rate, barely, value);
        EXPECT_TRUE(view.twoSeconds);
        EXPECT_EQ(view.ViewStart, 0);
        EXPECT_EQ(view.ViewEnd, 88199);
    }
}

TEST(ScrollRange, TenUnitsPerSecondPerHundredPixelsWithChangesRoundedHalfToEven) {
    // Ten seconds at widths whose changes come to 26.5, 2.5 and 0.5.
    for (auto [width, maximum, large, small] :
         {std::array{1000, 400, 100, 25}, {1060, 424, 106, 26}, {25, 10, 2, 0}}) {
        const ScrollRange range = scrollRange(true, 441000, Rate, width);
        EXPECT_EQ(std::tuple(range.maximum, range.largeChange, range.smallChange),
                  std::tuple(maximum, large, small))
            << width;
    }
}

TEST(ScrollRange, LongSoundsPassSixteenBitsWithoutOverflow) {
    const int64_t hour = 3600 * 44100;
    const ScrollRange range = scrollRange(true, hour, Rate, 1200);
    EXPECT_EQ(range.maximum, 215880); // far beyond 32767
    const ViewWindow last = viewWindow(hour, Rate, range, range.maximum);
    EXPECT_EQ(last.ViewStart, hour - 88200);
    EXPECT_EQ(last.ViewEnd, hour - 1);

    // Even 32 bits cannot count this one: the range stops at their end.
    const int64_t longest = std::numeric_limits<int32_t>::max();
    const ScrollRange slow = scrollRange(true, longest, 1, 10000);
    EXPECT_EQ(slow.maximum, std::numeric_limits<int32_t>::max());
    EXPECT_NEAR(viewWindow(longest, 1, slow, slow.maximum).ViewStart, double(longest - 2), 1e-3);
}

TEST(ViewWindow, TwoSecondsFromWhereTheScrollValueSays) {
    const ScrollRange range = scrollRange(true, 441000, Rate, 1000); // maximum 400
    for (auto [value, first] : {std::pair{0, 0.0}, {200, 176400.0}, {400, 352800.0}}) {
        const ViewWindow view = viewWindow(441000, Rate, range, value);
        EXPECT_TRUE(view.twoSeconds);
        EXPECT_EQ(view.ViewStart, first);
        EXPECT_EQ(view.ViewEnd, first + 88199);
    }

    // Positions between frames stay as they are.
    const ViewWindow between = viewWindow(441001, Rate, range, 1);
    EXPECT_DOUBLE_EQ(between.ViewStart, 352801.0 / 400);
    EXPECT_DOUBLE_EQ(between.ViewEnd, 88199 + 352801.0 / 400);

    // Without the scroll bar: the whole sound.
    const ViewWindow whole = viewWindow(441000, Rate, ScrollRange{}, 200);
    EXPECT_FALSE(whole.twoSeconds);
    EXPECT_EQ(whole.ViewStart, 0);
    EXPECT_EQ(whole.ViewEnd, 440999);
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
