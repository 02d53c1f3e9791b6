// The selection turned into frames and channels by each kind of command's rule, exactly, for any
// frame number a sound in memory can have.
#include <gtest/gtest.h>

#include "document/Selection.h"

namespace sono {
namespace {

TEST(Selection, EachKindOfCommandTakesItsOwnRoundingAndStaysInsideTheSound) {
    const Selection none;
    EXPECT_EQ(none.effectRange(50), (FrameRange{0, 49}));
    EXPECT_EQ(none.editRange(50), (FrameRange{0, 49}));

    // Ends between frames (a selection that showSelection has not rounded yet): effects truncate,
    // edits round the start and the length, halves to even, paste rounds both ends.
    const Selection between{10.5, 20.5, 1};
    EXPECT_EQ(between.effectRange(50), (FrameRange{10, 20}));
    EXPECT_EQ(between.editRange(50), (FrameRange{10, 20}));
    EXPECT_EQ(between.pasteRange(50), (FrameRange{10, 20}));
    const Selection odd{11.5, 20.5, 1};
    EXPECT_EQ(odd.effectRange(50), (FrameRange{11, 20}));
    EXPECT_EQ(odd.editRange(50), (FrameRange{12, 21}));
    EXPECT_EQ(odd.pasteRange(50), (FrameRange{12, 20}));
    EXPECT_EQ(odd.savedFirst(), 11);
    EXPECT_EQ(odd.savedFrames(), 9);

    // Past the end of the sound.
    const Selection beyond{40, 80, 1};
    EXPECT_EQ(beyond.effectRange(50), (FrameRange{40, 49}));
    EXPECT_EQ(beyond.editRange(50), (FrameRange{40, 49}));
    EXPECT_EQ(beyond.pasteRange(50), (FrameRange{40, 49}));

    // Frames that single precision cannot tell apart are named exactly.
    const int64_t far = (int64_t(1) << 24) + 1;
    const Selection high{double(far), double(far + 2), 1};
    EXPECT_EQ(high.effectRange(far + 10), (FrameRange{far, far + 2}));
    EXPECT_EQ(high.editRange(far + 10), (FrameRange{far, far + 2}));
    EXPECT_EQ(high.pasteRange(far + 10), (FrameRange{far, far + 2}));
}

TEST(Selection, ChannelsFollowTheViewUnlessBothAreAskedFor) {
    const Selection lower{0, 10, 2};
    EXPECT_TRUE(lower.channels(false, false).first);
    EXPECT_FALSE(lower.channels(false, false).second);
    EXPECT_FALSE(lower.channels(true, false).first);
    EXPECT_TRUE(lower.channels(true, false).second);
    EXPECT_TRUE(lower.channels(true, true).both());
    EXPECT_TRUE(Selection{}.channels(true, false).both());
    const ChannelScope upper = Selection{0, 10, 1}.channels(true, false);
    EXPECT_TRUE(upper.first && !upper.second);
}

} // namespace
} // namespace sono
