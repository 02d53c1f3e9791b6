// The column arithmetic of the waveform views against hand-worked cases: which frames fall into
// each column, the extremes with their seeds, the rows of a column and the time-scale marks.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <vector>

#include "view/Columns.h"

namespace sono {
namespace {

ViewWindow wholeSound(int64_t frames) {
    return {0, double(frames) - 1, false};
}

TEST(ColumnExtremes, ColumnsShareAFrameAtAHalfAndTheLastFrameFallsInNone) {
    // Ten frames in two columns: 0..4.5 - 1 rounds to 4, 4.5 rounds to 4 (halves to even).
    EXPECT_EQ(columnFrames(wholeSound(10), 2, 0).last, 4);
    EXPECT_EQ(columnFrames(wholeSound(10), 2, 1).first, 4);
    EXPECT_EQ(columnFrames(wholeSound(10), 2, 1).last, 8);

    const std::vector<int16_t> samples{10, 1, 2, 3, -50, 5, 6, 7, 60, 999};
    // Each of the hundred steps is reported in turn, however few the columns.
    std::vector<int> steps, expectedSteps(100);
    std::iota(expectedSteps.begin(), expectedSteps.end(), 0);
    const std::vector<ColumnExtremes> extremes =
        columnExtremes(samples, wholeSound(10), 2, [&](int step) { steps.push_back(step); });
    EXPECT_EQ(extremes, (std::vector<ColumnExtremes>{{10, -50}, {60, -50}}));
    EXPECT_EQ(steps, expectedSteps);
}

TEST(ColumnExtremes, ColumnsWithoutFramesKeepTheirSeeds) {
    const std::vector<int16_t> samples{100, -200, 300, -400};
    const ViewWindow view = wholeSound(4);
    const std::vector<int64_t> seeds{0, 0, 1, 1, 1, 2, 2, 2, 2, 3};
    const std::vector<bool> holdsFrames{false, true,  false, false, false,
                                        false, false, false, true,  false};
    const std::vector<ColumnExtremes> extremes = columnExtremes(samples, view, 10);
    for (int c = 0; c < 10; ++c) {
        const ColumnFrames frames = columnFrames(view, 10, c);
        EXPECT_EQ(frames.seed, seeds[c]) << c;
        EXPECT_EQ(frames.first <= frames.last, holdsFrames[c]) << c;
        // Without frames a column draws its seed; the two with frames hold just theirs.
        EXPECT_EQ(extremes[c], (ColumnExtremes{samples[seeds[c]], samples[seeds[c]]})) << c;
    }
}

TEST(ColumnExtremes, DeepZoomJoinsTheFramesByLines) {
    // Four frames at ten pixels each: a column spans a tenth of the way from one frame to the
    // next, and holds the frame at its left edge.
    const std::vector<int16_t> samples{0, 1000, -1000, 500};
    ViewWindow view{0, 3, false, 4};
    const std::vector<ColumnExtremes> extremes = columnExtremes(samples, view, 40);
    EXPECT_EQ(extremes[0], (ColumnExtremes{100, 0}));
    EXPECT_EQ(extremes[5], (ColumnExtremes{600, 500}));
    EXPECT_EQ(extremes[10], (ColumnExtremes{1000, 800}));
    EXPECT_EQ(extremes[15], (ColumnExtremes{0, -200}));
    EXPECT_EQ(columnFrames(view, 40, 10).first, 1);
    EXPECT_EQ(columnFrames(view, 40, 10).last, 1);
    EXPECT_GT(columnFrames(view, 40, 11).first, columnFrames(view, 40, 11).last);
    // Past the last frame the line stays at its value.
    EXPECT_EQ(extremes[39], (ColumnExtremes{500, 500}));
    // Half a frame in, at the same scale.
    view = {0.5, 3.5, false, 4};
    EXPECT_EQ(columnExtremes(samples, view, 40)[0], (ColumnExtremes{600, 500}));
}

// Rows rounded half to even. Eight bits take one row per step at 256 rows, around 128.
TEST(ColumnRows, FullScaleFillsTheHeight) {
    // Silence draws one row at the middle.
    EXPECT_EQ(columnRows({0, 0}, false, 257), (ColumnRows{128, 129}));
    EXPECT_EQ(columnRows({32767, -32768}, false, 256), (ColumnRows{0, 256}));
    EXPECT_EQ(columnRows({32767, -32768}, false, 600), (ColumnRows{0, 600}));
    EXPECT_EQ(columnRows({16384, -16384}, false, 600), (ColumnRows{150, 450}));
    // At 256 rows a 256th of the value: 128 - 0.5 = 127.5 and 128 - 1.5 = 126.5 go to 128 and
    // 126; 128 + 0.5 goes to 128.
    EXPECT_EQ(columnRows({128, 128}, false, 256), (ColumnRows{128, 129}));
    EXPECT_EQ(columnRows({384, -128}, false, 256), (ColumnRows{126, 128}));
    EXPECT_EQ(columnRows({128, 128}, true, 257), (ColumnRows{128, 129}));
    EXPECT_EQ(columnRows({255, 0}, true, 256), (ColumnRows{1, 256}));
    // 100 - 2 x 200 / 256 = 98.4 and 100 + 8 x 200 / 256 = 106.25.
    EXPECT_EQ(columnRows({130, 120}, true, 200), (ColumnRows{98, 106}));
}

// Marks {x, ms} a whole number of ticks apart: {round(k dx), first + k dms} for k < count.
TEST(TimeMarks, TicksOfARoundLengthFromViewStart) {
    const struct {
        ViewWindow view;
        int width;
        double rate, dx;
        int first, dms, count;
    } cases[] = {
        // 0.5 s per 100 columns: ticks of 0.1 s times 4.
        {wholeSound(154350), 700, 44100, 80, 0, 400, 9},
        // An hour, 360 s per 100 columns: ticks of 100 s times 3, 83 columns apart.
        {wholeSound(3600 * 44100), 1000, 44100, 1000.0 / 12, 0, 300000, 12},
        // Two seconds of 1000 frames a second from frame 40, not from a round time: 0.4 s per
        // 100 columns, ticks of 0.1 s times 3.
        {{40, 2039, true}, 500, 1000, 75, 40, 300, 7},
        // At 10 frames a second the smallest interval, 0.01 s, rounds to 0 frames: one mark.
        {wholeSound(100), 100000, 10, 0, 0, 0, 1},
    };
    for (const auto& c : cases) {
        std::vector<TimeMark> expected;
        for (int k = 0; k < c.count; ++k)
            expected.push_back({int(std::nearbyint(c.dx * k)), c.first + c.dms * k});
        EXPECT_EQ(timeMarks(c.view, c.width, c.rate), expected) << c.width;
    }
}

} // namespace
} // namespace sono
