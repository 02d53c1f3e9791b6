// Volume, speed and echo: the effects whose setting may run from the start to the end.
#include "EditorFixture.h"

namespace sono::test {
namespace {

using CurveEffects = EditorFixture;

// A factor of 1 changes nothing but the two most negative values.
TEST_F(CurveEffects, VolumeScalesAroundSilenceClipsAndRoundsHalvesToEven) {
    Samples same = noise(20000, 21);
    same[7] = -32768;
    same[8] = -32767;
    same[9] = 32767;
    load(same);
    editor->effects().changeVolume(1, 1);
    for (auto& s : same)
        s = std::max<int16_t>(s, -32766);
    EXPECT_EQ(left(), same);

    // A fade runs linearly; results are clipped and rounded halves to even.
    load(Samples(1001, 10000));
    editor->effects().changeVolume(0.01f, 2.0f);
    EXPECT_EQ(at({0, 500, 1000}), Samples({100, 10050, 20000})); // the middle: x 1.005

    load({20000, -20000});
    editor->effects().changeVolume(2, 2);
    EXPECT_EQ(left(0, 2), Samples({32767, -32766}));
    load({1, 3, 5, -1, -3, 0});
    editor->effects().changeVolume(0.5f, 0.5f);
    EXPECT_EQ(left(0, 6), Samples({0, 2, 2, 0, -2, 0}));

    // The last frame of a fade takes the end factor exactly: 1 x 1.5 rounds to 2 (a slope of
    // 1.49 / 73 times 73 falls short of 1.5 and would give 1).
    load(Samples(150, 1));
    select(0, 73);
    editor->effects().changeVolume(0.01f, 1.5f);
    EXPECT_EQ(left(73, 2), Samples({2, 1}));

    // Eight bits around 128, and one channel of two.
    load({200, 128, 131, 0, 255, 60}, {}, 8);
    editor->effects().changeVolume(2, 2);
    EXPECT_EQ(left(0, 6), Samples({255, 128, 134, 0, 255, 0}));
    load({131, 133, 128}, {}, 8);
    editor->effects().changeVolume(0.5f, 0.5f);
    EXPECT_EQ(left(0, 3), Samples({130, 130, 128})); // 129.5 and 130.5 both round to 130

    const Samples a = noise(300, 22, -1000, 1000), b = noise(300, 23, -1000, 1000);
    load(a, b);
    select(0, 299, 2, false);
    editor->effects().changeVolume(2, 2);
    EXPECT_EQ(left(), a);
    EXPECT_EQ(right()[17], 2 * b[17]);
}

TEST_F(CurveEffects, SpeedKeepsTheLaterFrameOfEachSlotDoublesFramesAndFadesByAverageSlowness) {
    load(ramp(1000), {}, 16, 44100);
    editor->effects().changeSpeed(2, 2);
    ASSERT_EQ(doc().SampleCount, 500);
    ASSERT_EQ(left().size(), 500u);
    // Slots are written 0, 0, 1, 2, 2, 2, 3, 4, ...: the input frames 1, 2, 5, 6, 9, 10, ...
    for (int i = 0; i < 500; ++i)
        EXPECT_EQ(left()[i], 4 * (i / 2) + 1 + i % 2) << i;

    load(ramp(1000), {}, 16, 44100);
    editor->effects().changeSpeed(0.5f, 0.5f);
    ASSERT_EQ(doc().SampleCount, 2000);
    for (int i = 0; i < 2000; ++i)
        EXPECT_EQ(left()[i], i / 2) << i;
    EXPECT_EQ(editor->status().panel(3), "Time: 0.04"); // 2000 frames at 44100 Hz: 45 ms
}

// Slower than 1 a frame goes to slot round(P) and the two after it, P growing by 1 / s a frame;
// a later frame that lands on one of those slots takes it.
TEST_F(CurveEffects, SpeedBelowOneFillsThreeSlotsAFrameUnlessALaterFrameLandsThere) {
    // At 40 % (in single precision a hair above) P runs 0 and a hair below 2.5, 5 and 7.5: slots
    // 0, 2 and 5, and the frames after the range from slot 7, the last of frame 2's.
    load(ramp(200, 10));
    select(0, 2);
    editor->effects().changeSpeed(0.4f, 0.4f);
    EXPECT_EQ(left(0, 9), Samples({10, 10, 11, 11, 11, 12, 12, 13, 14}));
    EXPECT_EQ(doc().SampleCount, 204);

    // At a quarter each frame fills three of its four slots and the fourth is silent, the last
    // frame's too.
    const Samples c = noise(30, 39, 0, 255), d = noise(30, 40, 0, 255);
    load(c, d, 8);
    editor->effects().changeSpeed(0.25f, 0.25f);
    const auto quartered = [](const Samples& x) {
        Samples out;
        for (const int16_t sample : x)
            out.insert(out.end(), {sample, sample, sample, 128});
        return out;
    };
    EXPECT_EQ(left(), quartered(c));
    EXPECT_EQ(right(), quartered(d));
}

TEST_F(CurveEffects, SpeedOfOneChannelPadsTheShorterChannelAndMovesTheSelectionEnd) {
    const Samples a = noise(1000, 33), b = noise(1000, 34);
    load(a, b);
    select(100, 299, 1, false);
    editor->effects().changeSpeed(2, 2);
    EXPECT_EQ(doc().SampleCount, 1000);
    EXPECT_EQ(right(), b);
    // The frames after the range moved up by 100, then silence.
    EXPECT_EQ(at({99, 200, 899}), Samples({a[99], a[300], a[999]}));
    EXPECT_EQ(left(900, 100), Samples(100, 0));
    EXPECT_EQ(doc().selection.SelEnd,
              200); // 199, the end of the stretch, which the redraw makes even

    load(Samples(1000, 10), Samples(1000, 20), 8);
    select(100, 299, 1, false);
    editor->effects().changeSpeed(0.5f, 0.5f);
    EXPECT_EQ(doc().SampleCount, 1200);
    EXPECT_EQ(doc().selection.SelEnd, 500); // 499 made even by the redraw
    EXPECT_EQ(left(), Samples(1200, 10));
    EXPECT_EQ(right(), cat({Samples(1000, 20), Samples(200, 128)}));
}

TEST_F(CurveEffects, SpeedKeepsEveryFrameOfOneAndCountsBeyondSinglePrecisionFrameNumbers) {
    // 2^24 + 2 frames: a single-precision output position would stop growing at 2^24 (full
    // speed) or 2^23 (double speed) and pile the rest of the sound into one frame.
    const size_t frames = (size_t(1) << 24) + 2;
    Samples a(frames), b(frames);
    for (size_t k = 0; k < frames; ++k) {
        a[k] = int16_t(k * 7919 % 65536 - 32768);
        b[k] = int16_t(k * 7907 % 65536 - 32768);
    }
    load(a, b);
    editor->effects().changeSpeed(1, 1);
    ASSERT_EQ(doc().SampleCount, int32_t(frames));
    EXPECT_TRUE(left() == a);
    EXPECT_TRUE(right() == b);
    editor->effects().changeSpeed(2, 2);
    ASSERT_EQ(doc().SampleCount, int32_t(frames / 2));
    // The last slot, 2^23, is even: frames 2^24 - 1, 2^24 and 2^24 + 1 all round to it.
    EXPECT_EQ(left().back(), a[frames - 1]);

    // From 50 % to 200 % each frame takes 1 / s slots: 10000 x ln(4) / 1.5 = 9242.0 in all.
    load(noise(10000, 35));
    editor->effects().changeSpeed(0.5f, 2.0f);
    EXPECT_NEAR(doc().SampleCount, 9242, 1);
    EXPECT_EQ(left().size(), size_t(doc().SampleCount));
}

TEST_F(CurveEffects, ARangeOfOneFrameUsesTheStartValues) {
    load(Samples(200, 100));
    select(5, 5);
    editor->effects().changeVolume(2.0f, 0.5f);
    EXPECT_EQ(left(4, 3), Samples({100, 200, 100}));
    load(Samples(200, 100));
    select(5, 5);
    editor->effects().changeSpeed(0.5f, 2.0f); // the frame fills two slots at half speed
    EXPECT_EQ(doc().SampleCount, 201);
    Samples click(1000, 0);
    click[500] = 10000;
    load(click, {}, 16, 8000);
    select(500, 500);
    editor->effects().makeEcho(10, 50, 100, 100, 1, 0);
    EXPECT_EQ(left()[580], 5000);
    EXPECT_EQ(doc().SampleCount, 1000);
}

// Echoes of a fixed delay, equal and fading, are in effects.sb.
TEST_F(CurveEffects, EchoDelayRunsOverTheRangeAndTheLastEchoSetsTheLength) {
    // The delay runs from 100 ms at the first frame to 200 ms at the last, whose echo sets the
    // new length. The sound is short enough to be summed frame by frame.
    Samples a(300, 0);
    a[0] = 10000;
    a[299] = 8000;
    load(a, {}, 16, 8000);
    editor->effects().makeEcho(100, 50, 200, 100, 1, 0);
    ASSERT_EQ(doc().SampleCount, 1900);
    EXPECT_EQ(at({800, 1899}), Samples({5000, 8000}));

    // The sum clips once; 8-bit silence echoes as 128; the frames before the range stay.
    Samples clipped(2000, 0);
    clipped[0] = clipped[800] = 30000;
    clipped[1] = clipped[801] = -30000;
    load(clipped, {}, 16, 8000);
    editor->effects().makeEcho(100, 50, 100, 50, 1, 0);
    EXPECT_EQ(at({800, 801, 1600}), Samples({32767, -32766, 15000})); // 30000 + 15000 and so on

    load(Samples(1000, 128), {}, 8, 8000);
    editor->effects().makeEcho(100, 100, 100, 100, 10, 0);
    EXPECT_EQ(left(), Samples(size_t(doc().SampleCount), 128));

    load(Samples(2000, 1000), {}, 16, 8000);
    select(1000, 1099);
    editor->effects().makeEcho(50, 50, 50, 50, 1, 0);
    EXPECT_EQ(doc().SampleCount, 2000);
    // The echo of frame 1000 lands 400 frames on, of frame 1099 at 1499.
    EXPECT_EQ(left(), cat({Samples(1400, 1000), Samples(100, 1500), Samples(500, 1000)}));
}

} // namespace
} // namespace sono::test
