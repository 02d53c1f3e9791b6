// What every effect shares: the snapshot, progress and the refusals. The channels an effect takes
// are the selection's (its test), as the one-channel cases of each effect show.
#include <filesystem>
#include <fstream>

#include "EditorFixture.h"

namespace sono::test {
namespace {

using Frame = EditorFixture;

TEST_F(Frame, WithoutASoundNothingHappensAtAll) {
    editor->effects().reverse();
    editor->effects().normalize();
    editor->effects().soften();
    editor->effects().shrink(4);
    editor->effects().changeVolume(2, 2);
    editor->effects().changeSpeed(2, 2);
    editor->effects().makeEcho(100, 50, 100, 50, 1, 0);
    editor->effects().alienVoice1();
    editor->effects().alienVoice2();
    editor->effects().satellite();
    editor->effects().creaking();
    editor->effects().filterByThreshold(true, 50, 2);
    EXPECT_EQ(doc().UndoLevel, 0);
    EXPECT_TRUE(host.statusLog.empty());
    EXPECT_TRUE(device.commands.empty());
    EXPECT_TRUE(host.messages.empty());
}

// The texts each effect reports, in both languages, are in effects.sb and dutch.sb.
TEST_F(Frame, StopsTakesASnapshotAndSaysWhatChanged) {
    load(noise(1000, 1));
    editor->effects().reverse();
    EXPECT_EQ(device.commands, (std::vector<std::string>{"stop", "close"}));
    EXPECT_EQ(doc().UndoLevel, 1);
    EXPECT_TRUE(doc().Changed);
    EXPECT_EQ(host.changes, (std::vector<SoundChange>{{0, 999, true, false, false, false}}));
}

TEST_F(Frame, ProgressRunsOverBothPassesOrOneAndNormalizeHasTwoPhases) {
    const std::vector<int>& steps = host.progressSteps;
    load(noise(1000, 4), noise(1000, 5));
    host.progressSteps.clear();
    editor->effects().reverse();
    ASSERT_EQ(steps.size(), 200u);
    // Channel 1 ends at round(99 / 2), halves to even; channel 2 runs from round(100 - 100 / 2)
    // to round(100 - 1 / 2).
    EXPECT_EQ(std::vector({steps[0], steps[99], steps[100], steps[199]}),
              std::vector({0, 50, 50, 100}));

    host.progressSteps.clear();
    select(0, 499, 2, false);
    editor->effects().reverse();
    ASSERT_EQ(steps.size(), 100u);
    EXPECT_EQ(steps.front(), 0);
    EXPECT_EQ(steps.back(), 99);

    load(noise(1000, 4));
    host.progressSteps.clear();
    editor->effects().normalize();
    ASSERT_EQ(steps.size(), 100u);
    EXPECT_EQ(std::vector({steps[49], steps[50], steps[99]}), std::vector({49, 50, 99}));
}

TEST_F(Frame, ARefusedSnapshotLeavesTheSoundAlone) {
    const Samples a = noise(500, 6);
    load(a);
    std::filesystem::remove_all(dir / "temp");
    std::ofstream(dir / "temp") << "not a folder";
    availableMemory = 0;
    editor->effects().changeVolume(2, 2);
    editor->effects().creaking();
    editor->effects().makeEcho(100, 50, 100, 50, 3, 0);
    EXPECT_EQ(left(), a);
    EXPECT_EQ(doc().SampleCount, 500);
    EXPECT_EQ(doc().UndoLevel, 0);
    EXPECT_FALSE(doc().Changed);
    EXPECT_FALSE(host.lastCritical().empty());
}

TEST_F(Frame, SettingsThatCannotWorkAndLengthsBeyondThirtyTwoBitsAreRefusedFirst) {
    const Samples a = noise(500, 7);
    load(a);
    editor->effects().changeSpeed(0, 1);                   // no speed at all
    editor->effects().changeSpeed(1e-7f, 1e-7f);           // some 5 billion frames
    editor->effects().makeEcho(-5, 50, 100, 50, 1, 0);     // an echo before its sound
    editor->effects().makeEcho(1e9f, 50, 1e9f, 50, 10, 0); // ten repeats, eleven days apart
    editor->effects().changeVolume(std::nanf(""), 1);
    editor->effects().shrink(0);
    EXPECT_EQ(host.messages.size(), 6u);
    EXPECT_EQ(host.messages[1].text,
              "This would make the sound too long. Nothing has been changed.");
    EXPECT_EQ(host.messages[3].text, host.messages[1].text);
    EXPECT_EQ(host.messages[0].text,
              "The effect cannot be applied with this setting. Nothing has been changed.");
    EXPECT_EQ(left(), a);
    EXPECT_EQ(doc().UndoLevel, 0);
    EXPECT_TRUE(device.commands.empty());
}

TEST_F(Frame, VolumeSpeedAndEchoSaveTheOptionsFirst) {
    load(noise(500, 8));
    const auto options = dir / "settings" / "audio.dat";
    for (auto effect : {+[](Editor& e) { e.effects().changeVolume(1, 1); },
                        +[](Editor& e) { e.effects().changeSpeed(1, 1); },
                        +[](Editor& e) { e.effects().makeEcho(10, 10, 10, 10, 1, 1); }}) {
        std::filesystem::remove(options);
        effect(*editor);
        EXPECT_TRUE(std::filesystem::exists(options));
    }
    std::filesystem::remove(options);
    editor->effects().reverse();
    EXPECT_FALSE(std::filesystem::exists(options));
}

} // namespace
} // namespace sono::test
