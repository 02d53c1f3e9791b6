// The alien voices, creaking and the advanced filter; the satellite, frame by frame, is the
// long-sound test's. An effect on one channel of a stereo sound pads the other as speed does (its
// test).
#include "EditorFixture.h"

namespace sono::test {
namespace {

using CharacterEffects = EditorFixture;

TEST_F(CharacterEffects, AlienVoiceTurnsEachCycleIntoTwoAtDoubleSpeed) {
    load(sine(2000, 20, 10000));
    editor->effects().alienVoice1();
    // The 4 frames before the first peak (frame 5) become 3, the 99 whole cycles of 20 frames
    // become 19 frames each, and the 14 frames from the last peak (1985) up to the range's last
    // frame are dropped.
    EXPECT_EQ(doc().SampleCount, 2000 - 1 - 99 - 14);
    // The first cycle (frames 1..5 up to the first peak at 5) holds 1, 3, then 2: the even
    // offsets from the mark, then the odd ones; the next stretch starts at the peak.
    const Samples o = sine(2000, 20, 10000);
    EXPECT_EQ(left(0, 6), Samples({o[0], o[1], o[3], o[2], o[5], o[7]}));

    load(sine(2100, 21, 10000));
    editor->effects().alienVoice1();
    // Cycles of 21 frames keep their length; the first 4 frames become 3 and the 15 after the
    // last peak (2084) go.
    EXPECT_EQ(doc().SampleCount, 2100 - 1 - 15);

    // Without peaks the inside of the range is dropped.
    load(ramp(300));
    select(100, 199);
    editor->effects().alienVoice1();
    ASSERT_EQ(doc().SampleCount, 202);
    EXPECT_EQ(left(), cat({ramp(101), ramp(101, 199)}));

    load(ramp(300));
    select(100, 101); // fewer than three frames: nothing changes
    editor->effects().alienVoice1();
    EXPECT_EQ(left(), ramp(300));
}

TEST_F(CharacterEffects, CreakingPlaysEveryLoudStretchTwice) {
    // Quiet up to frame 9, a loud peak at 10, falling to a loud trough at 15, then loud and flat,
    // which makes every later frame a turning point.
    Samples a(200, 2500);
    std::ranges::copy(Samples{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 3000, 1900, 1800, 1700, 1600, 1500},
                      a.begin());
    load(a);
    editor->effects().creaking();
    // Frames 1..9 end at the first loud turn (10): 1..9 then 2..8; then 10..14 and 11..13.
    Samples expected(a.begin(), a.begin() + 10);
    for (auto [first, last] : {std::pair{2, 8}, {10, 14}, {11, 13}, {15, 15}})
        expected.insert(expected.end(), a.begin() + first, a.begin() + last + 1);
    EXPECT_EQ(left(0, 26), expected);
    // Frame 0, 16 and 8 frames for the two stretches, 15..197 once each, 198 dropped, 199.
    EXPECT_EQ(doc().SampleCount, 1 + 16 + 8 + 183 + 1);

    load(sine(2000, 20, 1000)); // never loud: the inside of the range is dropped
    select(100, 1899);
    editor->effects().creaking();
    EXPECT_EQ(doc().SampleCount, 101 + 101);

    // Eight bits count loudness from 128.
    Samples bytes(200, 128);
    for (int k = 0; k < 200; k += 4)
        bytes[k] = 133; // 5 above silence: loud peaks every 4
    load(bytes, {}, 8);
    editor->effects().creaking();
    // Frame 0, frames 1..3 as 4, 48 stretches of 4 as 6, the last frame.
    EXPECT_EQ(doc().SampleCount, 1 + 4 + 48 * 6 + 1);
    EXPECT_EQ(left(0, 6), Samples({133, 128, 128, 128, 128, 133}));

    // A flat top or bottom of two frames: each of the two is a turning point, the first because
    // it is not below the frame after it, the second because it is not below the frame before.
    load(cat(
        {{0, 500, 2000, 3000, 3000, 2000, 500, -2000, -3000, -3000, -2000, 0, 0}, ramp(187, 1)}));
    select(0, 12);
    editor->effects().creaking();
    // 1..2 end at 3 (then nothing, too short to repeat); 3 ends at 4; 4..7 end at 8 and 5..6
    // follow; 8 ends at 9; 9..11 are dropped (0 at 11 is no loud turn); the range's last frame
    // and the frames after it.
    EXPECT_EQ(left(), cat({{0, 500, 2000, 3000, 3000, 2000, 500, -2000, 2000, 500, -3000, 0},
                           ramp(187, 1)}));
}

TEST_F(CharacterEffects, AlienVoiceTwoModulatesOnlyTheLouderSamples) {
    Samples a(200, 1000); // 1000 is not loud
    a[0] = a[1] = 2000;
    load(a);
    editor->effects().alienVoice2();
    // cos(0) x 1.3, then 2000 cos(1 / pi) 1.3 = 2469.4.
    EXPECT_EQ(left(0, 3), Samples({2600, 2469, 1000}));

    load(Samples(10002, 2000));
    select(9999, 10001);
    editor->effects().alienVoice2();
    EXPECT_EQ(at({9998, 10000}), Samples({2000, 2600})); // the carrier starts anew at 10000

    load({133, 123, 131, 200, 0}, {}, 8);
    editor->effects().alienVoice2();
    // 5 x 1.3 + 128 = 134.5 halves to even; 3 above silence is not loud.
    EXPECT_EQ(left(0, 5), Samples({134, 122, 131, 182, 79}));
}

TEST_F(CharacterEffects, FilterChangesSamplesBeyondTheThresholdOnly) {
    load({20000, 16000, 16384, -20000, 30000});
    editor->effects().filterByThreshold(true, 50, 0.5f);
    EXPECT_EQ(left(0, 5), Samples({10000, 16000, 16384, -10000, 15000}));

    load({3000, -3276, 3277, 6});
    editor->effects().filterByThreshold(false, 10, 0.1f); // below 3276.8
    EXPECT_EQ(left(0, 4), Samples({300, -328, 3277, 1}));

    load({150, 128, 192, 64, 100}, {}, 8);
    editor->effects().filterByThreshold(false, 50, 2);
    EXPECT_EQ(left(0, 5), Samples({172, 128, 192, 64, 72}));

    load({32000, -32000});
    editor->effects().filterByThreshold(true, 1, 2);
    EXPECT_EQ(left(0, 2), Samples({32767, -32766}));
}

} // namespace
} // namespace sono::test
