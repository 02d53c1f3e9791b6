// Reverse, normalize, soften and shrink.
#include "EditorFixture.h"
#include "effects/Shrink.h"

namespace sono::test {
namespace {

using SimpleTransforms = EditorFixture;

// A sound reversed whole equals sox's reverse (effects.sb).
TEST_F(SimpleTransforms, ReverseMirrorsTheRangeOnly) {
    // Ten frames turn as five pairs; of eleven the middle one stays.
    for (int last : {109, 110}) {
        load(ramp(200));
        select(100, last);
        editor->effects().reverse();
        Samples expected = ramp(200);
        std::reverse(expected.begin() + 100, expected.begin() + last + 1);
        EXPECT_EQ(left(), expected);
    }
}

TEST_F(SimpleTransforms, NormalizeScalesThePeakToFullScaleAndSparesTheLastFrame) {
    Samples a(200, 100);
    a[50] = 16383;
    a[51] = -3;
    a[199] = 7;
    load(a);
    editor->effects().normalize();
    // The last frame of the sound is never normalized.
    EXPECT_EQ(at({0, 50, 51, 199}), Samples({200, 32766, -6, 7}));

    Samples b(200, 0);
    b[10] = -20000;
    b[11] = 10000;
    b[12] = 1; // round(32766 / 20000 = 1.6383)
    b[199] = -32000;
    load(b);
    editor->effects().normalize();
    // The last frame is outside the range, so not part of the peak either.
    EXPECT_EQ(at({10, 11, 12, 199}), Samples({-32766, 16383, 2, -32000}));
}

TEST_F(SimpleTransforms, NormalizeFindsOnePeakForBothChannelsAndWorksAround128) {
    Samples a(200, 0), b(200, 0);
    a[5] = 8000;
    b[5] = -16383;
    load(a, b);
    editor->effects().normalize();
    EXPECT_EQ(Samples({left()[5], right()[5]}), Samples({16000, -32766}));

    // 32 above silence, 16 below, 1 above: x 128 / 32, the first clipped at 255.
    Samples bytes(200, 128);
    bytes[3] = 160;
    bytes[4] = 112;
    bytes[5] = 129;
    load(bytes, {}, 8);
    editor->effects().normalize();
    EXPECT_EQ(left(0, 6), Samples({128, 128, 128, 255, 64, 132}));

    // Here the trough, 40 below 128, sets the peak: x 128 / 40 around 128, the trough exactly 0.
    // The last frame, far lower, is neither scanned nor changed.
    Samples low = noise(300, 15, 100, 165);
    std::ranges::copy(Samples{88, 138, 165}, low.begin() + 7);
    low[299] = 3;
    load(low, {}, 8);
    editor->effects().normalize();
    EXPECT_EQ(at({7, 8, 9, 299}), Samples({0, 160, 246, 3}));
}

TEST_F(SimpleTransforms, SoftenTakesTheDifferenceWithTheNextFrameAndClips) {
    Samples a(200, 0);
    std::ranges::copy(Samples{30000, -30000, 30000, 100}, a.begin());
    a[199] = 1234;
    load(a);
    editor->effects().soften();
    EXPECT_EQ(left(0, 4), Samples({-32766, 32767, -29900, -100}));
    EXPECT_EQ(left(198, 2), Samples({1234, 1234})); // the last frame keeps its value

    Samples bytes(200, 90);
    bytes[10] = 250;
    bytes[11] = 10;
    load(bytes, {}, 8);
    select(0, 20);
    editor->effects().soften();
    // Equal neighbours give silence; 250 - 90 + 128 and 10 - 250 + 128, clipped; 90 - 10 + 128;
    // the frame after the shortened range keeps its value.
    EXPECT_EQ(at({0, 9, 10, 11, 20}), Samples({128, 255, 0, 208, 90}));
}

TEST_F(SimpleTransforms, ShrinkBlendsBetweenBlockStartsAndLeavesTheLastBlock) {
    // A sound of 200 frames in a buffer of 208: the frames after the sound may not be read.
    Samples a(208);
    for (int k = 0; k < 208; ++k)
        a[k] = int16_t(k * 100);
    a[0] = 1;
    a[4] = 2;
    Samples x = a;
    shrinkFrames(std::span(x.data(), 200), 200, {0, 199}, 4);
    for (int k = 0; k < 200; k += 4)
        EXPECT_EQ(x[k], a[k]);
    // Frame 1 takes 3/4 of the next block start and 1/4 of its own: the weights are crossed.
    // (3 x 2 + 1) / 4 = 1.75, (2 x 2 + 2 x 1) / 4 = 1.5 and (2 + 3 x 1) / 4 = 1.25, halves to
    // even; frame 5: (3 x 800 + 1 x 2) / 4 = 600.5. The last whole block starts at 199 \ 4 x 4 =
    // 196: frames 197..199 stay.
    EXPECT_EQ(Samples({x[1], x[2], x[3], x[5], x[197], x[198], x[199], x[200]}),
              Samples({2, 2, 1, 600, 19700, 19800, 19900, 20000}));

    // Within a range only its own frames change, blended between the block starts around them.
    load(Samples(a.begin(), a.begin() + 200));
    select(5, 9);
    editor->effects().shrink(4);
    EXPECT_EQ(left(4, 7), Samples({2, 600, 401, 202, 800, 1100, 1000}));
}

} // namespace
} // namespace sono::test
