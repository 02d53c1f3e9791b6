// The level display: a dot per column at the loudness of the frame after the play position, on
// the channel the meter follows, and the step of the loudest.
#include <gtest/gtest.h>

#include "transport/LevelMeter.h"

namespace sono {
namespace {

TEST(LevelMeter, RowsFollowTheLoudnessOfTheChannelAndTheStepItsPeak) {
    Document doc;
    doc.SampleCount = 6;
    doc.Channels = 2;
    doc.LeftSamples = {0, 32767, -32767, 16384, 0, 0};
    doc.RightSamples = {0, 0, 32767, 0, 0, 0};
    // From frame 1, three columns of a picture 100 rows high, channel 1: full, full, half.
    LevelDisplay display = levelDisplay(doc, MeterChannel::First, 1, 3, 100);
    EXPECT_EQ(display.rows, (std::vector<int>{-1, -1, 49}));
    EXPECT_EQ(display.step, 6);
    // The mean of both channels; columns past the end are silent.
    display = levelDisplay(doc, MeterChannel::BothMean, 3, 5, 100);
    EXPECT_EQ(display.rows, (std::vector<int>{74, 99, 99, 99, 99}));
    EXPECT_EQ(display.step, 1); // round(8192 x 6.5) \ 32767
    display = levelDisplay(doc, MeterChannel::Second, 2, 1, 100);
    EXPECT_EQ(display.rows, (std::vector<int>{-1}));

    // 8-bit: loudness around 128, full scale 128.
    doc.BitsPerSample = 8;
    doc.Channels = 1;
    doc.LeftSamples = {128, 0, 192, 128, 128, 128};
    display = levelDisplay(doc, MeterChannel::First, 0, 3, 128);
    EXPECT_EQ(display.rows, (std::vector<int>{127, -1, 63}));
    EXPECT_EQ(display.step, 6);
}

} // namespace
} // namespace sono
