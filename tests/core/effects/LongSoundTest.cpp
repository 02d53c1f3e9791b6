// Long sounds: the vectorised loops of volume, normalize, echo, the modulations, alien voice 1
// and creaking against the plain arithmetic they stand for, and the editor's effects with the two
// channels of a stereo sound side by side against the effects on one channel after the other. The
// lengths are no multiple of any vector width.
#include <cmath>
#include <functional>
#include <numbers>

#include "EditorFixture.h"
#include "effects/Echo.h"
#include "effects/Modulation.h"
#include "effects/Normalize.h"
#include "effects/Reverse.h"
#include "effects/SegmentEffects.h"
#include "effects/Speed.h"
#include "effects/Volume.h"

namespace sono::test {
namespace {

constexpr size_t LongFrames = 1'000'003;

int16_t clip(double rounded, bool eightBit) {
    const double low = eightBit ? 0 : -32766, high = eightBit ? 255 : 32767;
    return int16_t(std::clamp(rounded, low, high));
}

TEST(LongSound, VolumeAndNormalizeGiveTheScalarResultsSampleForSample) {
    for (const bool eightBit : {false, true}) {
        const int center = eightBit ? 128 : 0;
        const Samples original = eightBit ? noise(LongFrames, 31, 0, 255) : noise(LongFrames, 32);
        const FrameRange range{3, int64_t(LongFrames) - 2};
        const int64_t length = range.last - range.first;

        // A fade, and one factor throughout.
        for (const auto& [from, to] : {std::pair{0.37f, 2.71f}, std::pair{1.37f, 1.37f}}) {
            Samples changed = original, expected = original;
            changeVolume(changed, range, {from, to}, eightBit);
            const double slope = (double(to) - double(from)) / double(length);
            for (int64_t k = 0; k <= length; ++k) {
                const double factor = k == length ? double(to) : from + slope * double(k);
                int16_t& x = expected[size_t(range.first + k)];
                x = clip(std::nearbyint(factor * (x - center) + center), eightBit);
            }
            EXPECT_EQ(changed, expected)
                << "volume " << from << " to " << to << ", 8 bits " << eightBit;
        }

        Samples normalized = original, expected = original;
        const int32_t peak = eightBit ? 101 : 12345;
        normalizeFrames(normalized, range, peak, eightBit);
        const int fullScale = eightBit ? 128 : 32766;
        for (int64_t k = range.first; k <= range.last; ++k) {
            int16_t& x = expected[size_t(k)];
            x = clip(std::nearbyint(double((x - center) * fullScale) / peak + center), eightBit);
        }
        EXPECT_EQ(normalized, expected) << "normalize, 8 bits " << eightBit;
    }
}

// The echo as its description reads, one frame after the other from the end of the range.
Samples plainEcho(Samples x, FrameRange range, const EchoSettings& echo, double rate,
                  bool eightBit) {
    const int center = eightBit ? 128 : 0;
    const int64_t length = range.last - range.first;
    const double d1 = echo.startDelayMs / 1000.0, d2 = echo.endDelayMs / 1000.0;
    const double v1 = echo.startVolumePercent / 100.0, v2 = echo.endVolumePercent / 100.0;
    std::vector<int32_t> sum(x.begin(), x.end());
    for (int64_t k = range.last; k >= range.first; --k) {
        const double offset = double(k - range.first);
        const double delay = d1 + (d2 - d1) / double(length) * offset;
        const double volume = v1 + (v2 - v1) / double(length) * offset;
        for (int r = 1; r <= echo.repeats; ++r) {
            const double at = std::nearbyint(delay * rate * r + double(k));
            if (at > double(x.size()) - 1) continue;
            const double weight =
                echo.softer ? volume * (echo.repeats + 1 - r) / echo.repeats : volume;
            int32_t& target = sum[size_t(at)];
            target = int32_t(std::nearbyint(weight * (sum[size_t(k)] - center) + target));
        }
    }
    for (size_t k = 0; k < x.size(); ++k)
        x[k] = clip(sum[k], eightBit);
    return x;
}

TEST(LongSound, EchoGivesThePlainResultSampleForSample) {
    constexpr double Rate = 44100;
    const struct {
        EchoSettings echo;
        const char* what;
    } cases[] = {
        {{100, 50, 100, 50, 1, false}, "one repeat"},
        {{102, 30, 102, 80, 3, true}, "a fixed delay, a rising volume, softer repeats"},
        {{100, 80, 230, 20, 3, true}, "a rising delay, softer repeats"},
        {{500, 60, 0, 60, 2, false}, "a delay falling to nothing"},
        {{0.01f, 70, 0.01f, 70, 2, false}, "a delay below a frame"},
        {{20, 90, 25, 90, 9, false}, "more repeats than four at a time take"},
        {{20, 90, 20, 90, 9, true}, "a fixed delay, many softer repeats"},
        {{20000, 50, 9000, 50, 2, false}, "echoes reaching beyond the end of the sound"},
    };
    for (const bool eightBit : {false, true}) {
        const Samples original = eightBit ? noise(LongFrames, 51, 0, 255) : noise(LongFrames, 52);
        const FrameRange range{5, int64_t(LongFrames) - 50'000};
        for (const auto& [echo, what] : cases) {
            SCOPED_TRACE(testing::Message() << what << ", 8 bits " << eightBit);
            Samples x = original;
            const int64_t frames = *echoLastFrame(echo, range, int64_t(x.size()), Rate) + 1;
            x.resize(size_t(frames), int16_t(eightBit ? 128 : 0));
            const Samples expected = plainEcho(x, range, echo, Rate, eightBit);
            std::vector<int32_t> sums;
            Samples echoed;
            addEcho(original, frames, range, echo, Rate, eightBit, sums, echoed);
            EXPECT_EQ(echoed, expected);
        }
    }
}

// The modulations as their description reads. The satellite's carrier takes the library's sine
// for every frame; the frame numbers reach arguments beyond the reach of the vector loop's sine at
// the lowest rate.
TEST(LongSound, ModulationsGiveThePlainResultSampleForSample) {
    for (const bool eightBit : {false, true}) {
        const Samples left = eightBit ? noise(LongFrames, 61, 0, 255) : noise(LongFrames, 62);
        const Samples right = eightBit ? noise(LongFrames, 63, 0, 255) : noise(LongFrames, 64);
        const FrameRange range{7, int64_t(LongFrames) - 3};
        for (const double rate : {44100.0, 8000.0, 3000.0}) {
            SCOPED_TRACE(testing::Message() << "rate " << rate << ", 8 bits " << eightBit);
            Samples expectedLeft = left, expectedRight = right;
            for (int64_t k = range.first; k <= range.last; ++k) {
                const double c = std::sin(double(k) / rate * 44100 / 120);
                for (Samples* x : {&expectedLeft, &expectedRight}) {
                    int16_t& sample = (*x)[size_t(k)];
                    sample =
                        clip(std::nearbyint(eightBit ? sample * c : (sample + 32766) * c - 32766),
                             eightBit);
                }
            }
            Samples changedLeft = left, changedRight = right;
            satelliteModulate(changedLeft, changedRight, range, rate, eightBit);
            EXPECT_EQ(changedLeft, expectedLeft);
            EXPECT_EQ(changedRight, expectedRight);
            satelliteModulate(changedLeft = left, {}, range, rate, eightBit);
            EXPECT_EQ(changedLeft, expectedLeft) << "one channel";
        }

        // Alien voice 2: the carrier cos((k mod 10000) / pi) starts over a hundred times.
        const int center = eightBit ? 128 : 0, loud = eightBit ? 4 : 1024;
        Samples expected = left, changed = left;
        for (int64_t k = range.first; k <= range.last; ++k) {
            int16_t& sample = expected[size_t(k)];
            const double c = std::cos(double(k % 10000) / std::numbers::pi);
            if (std::abs(sample - center) > loud)
                sample = clip(std::nearbyint((sample - center) * c * 1.3 + center), eightBit);
        }
        ringModulate(changed, range, eightBit);
        EXPECT_EQ(changed, expected) << "alien voice 2, 8 bits " << eightBit;
    }
}

// Alien voice 1 and creaking as their description reads: the stretches between the frames that
// end one, found frame by frame, rebuilt one after the other.
Samples plainRebuild(const Samples& x, FrameRange range, const std::function<bool(int64_t)>& ends,
                     const std::function<void(int64_t, int64_t, Samples&)>& rebuilt) {
    Samples out(x.begin(), x.begin() + range.first + 1);
    int64_t mark = range.first + 1;
    for (int64_t k = range.first + 1; k < range.last; ++k)
        if (ends(k)) {
            rebuilt(mark, k, out);
            mark = k;
        }
    out.insert(out.end(), x.begin() + range.last, x.end());
    return out;
}

TEST(LongSound, AlienVoiceAndCreakingGiveThePlainResultSampleForSample) {
    const struct {
        Samples x;
        bool eightBit;
        const char* what;
    } sounds[] = {{noise(LongFrames, 71), false, "loud noise"},
                  {noise(LongFrames, 72, -1500, 1500), false, "quiet noise"},
                  {noise(LongFrames, 73, 0, 255), true, "8 bits"}};
    for (const auto& sound : sounds) {
        const Samples& x = sound.x;
        const bool eightBit = sound.eightBit;
        SCOPED_TRACE(sound.what);
        const FrameRange range{9, int64_t(LongFrames) - 4};
        const auto peak = [&](int64_t k) { return x[k] > x[k - 1] && x[k] > x[k + 1]; };
        const Samples alien =
            plainRebuild(x, range, peak, [&](int64_t mark, int64_t end, Samples& out) {
                for (int64_t j = mark; j < end; j += 2)
                    out.push_back(x[j]);
                for (int64_t j = mark + 1; j < end - 1; j += 2)
                    out.push_back(x[j]);
            });
        Samples changed;
        alienVoiceFrames(x, range, changed);
        EXPECT_TRUE(changed == alien) << "alien voice 1";

        const int center = eightBit ? 128 : 0, loud = eightBit ? 4 : 1024;
        const auto loudTurn = [&](int64_t k) {
            const bool top = x[k] >= x[k - 1] && x[k] >= x[k + 1];
            const bool bottom = x[k] <= x[k - 1] && x[k] <= x[k + 1];
            return (top || bottom) && std::abs(x[k] - center) > loud;
        };
        const Samples creaked =
            plainRebuild(x, range, loudTurn, [&](int64_t mark, int64_t end, Samples& out) {
                out.insert(out.end(), x.begin() + mark, x.begin() + end);
                if (end - mark > 2)
                    out.insert(out.end(), x.begin() + mark + 1, x.begin() + end - 1);
            });
        changed.clear();
        creakFrames(x, range, eightBit, changed);
        EXPECT_TRUE(changed == creaked) << "creaking";
    }
}

// Normalize shares its scan of both channels, echo needs a sum buffer per channel, satellite
// modulates both channels in one pass with the halves of the range side by side, speed, creaking
// and alien voice 1 rebuild each channel into an array of its own; the other passes of the
// two-thread kind own nothing but their channel, as volume and reverse do. Undo after each
// effect also brings back a snapshot taken in memory and written on a thread of its own (the sound
// is above the size at which that starts).
using LongStereoSound = EditorFixture;

TEST_F(LongStereoSound, ChannelsSideBySideGiveTheResultsOfOneAfterTheOther) {
    constexpr size_t Frames = 1'100'003;
    constexpr double Rate = 22050;
    const Samples left = noise(Frames, 41), right = noise(Frames, 42, -9000, 9000);
    const FrameRange whole{0, int64_t(Frames) - 1};
    const EchoSettings echo{100, 50, 130, 50, 2, false};
    const size_t echoFrames = size_t(*echoLastFrame(echo, whole, Frames, Rate) + 1);
    const auto normalized = [&](Samples& x, const Samples& other) {
        SampleExtremes extremes;
        scanExtremes(x, {0, whole.last - 1}, extremes);
        scanExtremes(other, {0, whole.last - 1}, extremes);
        normalizeFrames(x, {0, whole.last - 1}, peakOf(extremes, false), false);
    };
    const auto rebuilt = [](Samples& x, const std::function<void(Samples & out)>& effect) {
        Samples out;
        effect(out);
        x = std::move(out);
    };
    struct Case {
        const char* name;
        std::function<void(Editor&)> command;
        std::function<void(Samples& channel, const Samples& other)> effect;
    };
    const Case cases[] = {
        {"reverse", [](Editor& e) { e.effects().reverse(); },
         [&](Samples& x, const Samples&) { reverseFrames(x, whole); }},
        {"volume", [](Editor& e) { e.effects().changeVolume(0.4f, 1.9f); },
         [&](Samples& x, const Samples&) {
             changeVolume(x, whole, {0.4f, 1.9f}, false);
         }},
        {"normalize", [](Editor& e) { e.effects().normalize(); }, normalized},
        {"speed", [](Editor& e) { e.effects().changeSpeed(0.7f, 1.6f); },
         [&](Samples& x, const Samples&) {
             rebuilt(x, [&](Samples& out) { changeSpeed(x, whole, {0.7f, 1.6f}, 0, out); });
         }},
        {"creaking", [](Editor& e) { e.effects().creaking(); },
         [&](Samples& x, const Samples&) {
             rebuilt(x, [&](Samples& out) { creakFrames(x, whole, false, out); });
         }},
        {"alien voice 1", [](Editor& e) { e.effects().alienVoice1(); },
         [&](Samples& x, const Samples&) {
             rebuilt(x, [&](Samples& out) { alienVoiceFrames(x, whole, out); });
         }},
        {"satellite", [](Editor& e) { e.effects().satellite(); },
         [&](Samples& x, const Samples&) { satelliteModulate(x, {}, whole, Rate, false); }},
        {"echo", [&](Editor& e) { e.effects().makeEcho(100, 50, 130, 50, 2, 0); },
         [&](Samples& x, const Samples&) {
             std::vector<int32_t> sums;
             rebuilt(x, [&](Samples& out) {
                 addEcho(x, int64_t(echoFrames), whole, echo, Rate, false, sums, out);
             });
         }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        load(left, right, 16, float(Rate));
        setBoth(true);
        Samples expectedLeft = left, expectedRight = right;
        test.effect(expectedLeft, right);
        test.effect(expectedRight, left);
        // Channels rebuilt at different lengths: the shorter is padded with silence.
        const size_t length = std::max(expectedLeft.size(), expectedRight.size());
        expectedLeft.resize(length, 0);
        expectedRight.resize(length, 0);
        test.command(*editor);
        ASSERT_EQ(size_t(doc().SampleCount), expectedLeft.size());
        EXPECT_TRUE(std::equal(expectedLeft.begin(), expectedLeft.end(), this->left().begin()));
        EXPECT_TRUE(std::equal(expectedRight.begin(), expectedRight.end(), this->right().begin()));

        editor->history().undo();
        ASSERT_EQ(doc().SampleCount, int32_t(Frames));
        EXPECT_TRUE(std::equal(left.begin(), left.end(), this->left().begin()));
        EXPECT_TRUE(std::equal(right.begin(), right.end(), this->right().begin()));
    }
}

} // namespace
} // namespace sono::test
