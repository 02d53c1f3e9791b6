// Reverse, normalize, soften and shrink.
#include "EffectFixture.h"

namespace sono::test {
namespace {

using SimpleTransforms = EffectFixture;

TEST_F(SimpleTransforms, ReverseMirrorsTheRangeOnly) {
    Samples a(200);
    for (int k = 0; k < 200; ++k)
        a[k] = int16_t(k);
    load(a);
    select(100, 109); // ten frames: five pairs
    editor->MMreverse();
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(left()[100 + k], 109 - k);
    EXPECT_EQ(left()[99], 99);
    EXPECT_EQ(left()[110], 110);

    load(a);
    select(100, 110); // eleven frames: the middle one stays
    editor->MMreverse();
    EXPECT_EQ(left()[100], 110);
    EXPECT_EQ(left()[105], 105);
    EXPECT_EQ(left()[110], 100);
}

TEST_F(SimpleTransforms, ReverseTwiceGivesTheSoundBackInEitherWidth) {
    const Samples a = noise(10001, 11), b = noise(10001, 12);
    load(a, b);
    editor->MMreverse();
    EXPECT_NE(left(), a);
    editor->MMreverse();
    EXPECT_EQ(left(), a);
    EXPECT_EQ(right(), b);

    const Samples bytes = noise(999, 13, 0, 255);
    load(bytes, {}, 8);
    editor->MMreverse();
    EXPECT_EQ(left().front(), bytes.back());
    editor->MMreverse();
    EXPECT_EQ(left(), bytes);
}

TEST_F(SimpleTransforms, NormalizeScalesThePeakToFullScaleAndSparesTheLastFrame) {
    Samples a = filled(200, 100);
    a[50] = 16383;
    a[51] = -3;
    a[199] = 7;
    load(a);
    editor->MMnormalize();
    EXPECT_EQ(left()[50], 32766);
    EXPECT_EQ(left()[51], -6);
    EXPECT_EQ(left()[0], 200);
    EXPECT_EQ(left()[199], 7); // the last frame of the sound is never normalized

    Samples b = filled(200, 0);
    b[10] = -20000;
    b[11] = 10000;
    b[12] = 1;
    b[199] = -32000;
    load(b);
    editor->MMnormalize();
    EXPECT_EQ(left()[10], -32766);
    EXPECT_EQ(left()[11], 16383);
    EXPECT_EQ(left()[12], 2);       // round(32766 / 20000 = 1.6383)
    EXPECT_EQ(left()[199], -32000); // outside the range, so not part of the peak either
}

TEST_F(SimpleTransforms, NormalizeFindsOnePeakForBothChannelsAndWorksAround128) {
    Samples a = filled(200, 0), b = filled(200, 0);
    a[5] = 8000;
    b[5] = -16383;
    load(a, b);
    editor->MMnormalize();
    EXPECT_EQ(left()[5], 16000);
    EXPECT_EQ(right()[5], -32766);

    Samples bytes = filled(200, 128);
    bytes[3] = 160; // 32 above silence
    bytes[4] = 112; // 16 below
    bytes[5] = 129;
    load(bytes, {}, 8);
    editor->MMnormalize();
    EXPECT_EQ(left()[3], 255); // 32 x 128 / 32 + 128 = 256, clipped
    EXPECT_EQ(left()[4], 64);
    EXPECT_EQ(left()[5], 132);
    EXPECT_EQ(left()[0], 128);
}

TEST_F(SimpleTransforms, NormalizeOfSilenceChangesNothingAndSaysSo) {
    load(filled(300, 0));
    editor->MMnormalize();
    EXPECT_EQ(left(), filled(300, 0));
    EXPECT_EQ(host.statusLog.back(),
              "The volume has not been changed, because the sound is silent.");
    load(filled(300, 128), {}, 8);
    editor->MMned();
    editor->MMnormalize();
    EXPECT_EQ(left(), filled(300, 128));
    EXPECT_EQ(host.statusLog.back(), "Het volume is niet veranderd, want het geluid is stil.");
}

TEST_F(SimpleTransforms, SoftenTakesTheDifferenceWithTheNextFrameAndClips) {
    Samples a = filled(200, 0);
    a[0] = 30000;
    a[1] = -30000;
    a[2] = 30000;
    a[3] = 100;
    a[199] = 1234;
    load(a);
    editor->MMDempen();
    EXPECT_EQ(left()[0], -32766);
    EXPECT_EQ(left()[1], 32767);
    EXPECT_EQ(left()[2], -29900);
    EXPECT_EQ(left()[3], -100);
    EXPECT_EQ(left()[198], 1234);
    EXPECT_EQ(left()[199], 1234); // the last frame keeps its value

    Samples bytes = filled(200, 90);
    bytes[10] = 250;
    bytes[11] = 10;
    load(bytes, {}, 8);
    select(0, 20);
    editor->MMDempen();
    EXPECT_EQ(left()[0], 128); // equal neighbours give silence
    EXPECT_EQ(left()[9], 255); // 250 - 90 + 128, clipped
    EXPECT_EQ(left()[10], 0);  // 10 - 250 + 128, clipped
    EXPECT_EQ(left()[11], 208);
    EXPECT_EQ(left()[20], 90); // the frame after the shortened range keeps its value
}

TEST_F(SimpleTransforms, ShrinkBlendsBetweenBlockStartsAndLeavesTheLastBlock) {
    Samples a(203);
    for (int k = 0; k < 203; ++k)
        a[k] = int16_t(k * 100);
    a[0] = 1;
    a[4] = 2;
    load(a);
    editor->Krimper(4);
    for (int k = 0; k < 200; k += 4)
        EXPECT_EQ(left()[k], a[k]);
    // Frame 1 takes 3/4 of the next block start and 1/4 of its own: the weights are crossed.
    EXPECT_EQ(left()[1], 2);   // (3 x 2 + 1) / 4 = 1.75
    EXPECT_EQ(left()[2], 2);   // (2 x 2 + 2 x 1) / 4 = 1.5, halves to even
    EXPECT_EQ(left()[3], 1);   // (2 + 3 x 1) / 4 = 1.25
    EXPECT_EQ(left()[5], 600); // (3 x 800 + 1 x 2) / 4 = 600.5, halves to even
    // 202 / 4 = 50 whole blocks: frames from 200 on are the last block and stay.
    EXPECT_EQ(left()[201], a[201]);
    EXPECT_EQ(left()[202], a[202]);

    Samples b = noise(101, 14);
    load(b);
    select(97, 100);
    editor->Krimper(10); // Q = 10: frames 100 on stay, also inside the selection
    EXPECT_EQ(left()[100], b[100]);
    EXPECT_NE(left()[97], b[97]);
    EXPECT_EQ(left()[96], b[96]);
}

} // namespace
} // namespace sono::test
