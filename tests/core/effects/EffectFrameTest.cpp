// What every effect shares: the range, the channels, the snapshot, progress and the refusals.
#include <filesystem>
#include <fstream>

#include "EffectFixture.h"

namespace sono::test {
namespace {

using Frame = EffectFixture;

// Records the progress steps shown, to follow the passes.
class ProgressHost : public FakeHost {
  public:
    std::vector<int> steps;
    void progressShown(int step, const std::string&) override { steps.push_back(step); }
};

TEST_F(Frame, WithoutASoundNothingHappensAtAll) {
    editor->MMreverse();
    editor->MMnormalize();
    editor->MMDempen();
    editor->Krimper(4);
    editor->VeranderVolume(2, 2);
    editor->VeranderSnelheid(2, 2);
    editor->MaakEcho(100, 50, 100, 50, 1, 0);
    editor->MMalien();
    editor->MMalien2();
    editor->MMsat();
    editor->MMgekraak();
    editor->FilterSub(true, 50, 2);
    EXPECT_EQ(doc().UndoLevel, 0);
    EXPECT_TRUE(host.statusLog.empty());
    EXPECT_EQ(host.playbackStops, 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Frame, StopsTakesASnapshotReportsInBothLanguagesAndRedraws) {
    load(noise(1000, 1));
    const int redraws = host.waveformRedraws;
    editor->MMreverse();
    EXPECT_EQ(host.playbackStops, 1);
    EXPECT_EQ(doc().UndoLevel, 1);
    EXPECT_TRUE(doc().Changed);
    EXPECT_GT(host.waveformRedraws, redraws);
    EXPECT_EQ(host.statusLog.back(), "The sound has been reversed.");
    editor->MMned();
    editor->MMsat();
    EXPECT_EQ(host.statusLog.back(), "Het geluid is door een satelliet gegaan.");
    EXPECT_EQ(doc().UndoLevel, 2);
}

TEST_F(Frame, ChannelsTakePartByTheSelectionAndTheBothChannelsOption) {
    const Samples a = noise(200, 2), b = noise(200, 3);
    auto reversedIn = [&](int first, int last, const Samples& original, const Samples& now) {
        Samples expected = original;
        std::reverse(expected.begin() + first, expected.begin() + last + 1);
        return now == expected;
    };
    load(a, b);
    select(10, 49, 2, false); // lower view only
    editor->MMreverse();
    EXPECT_EQ(left(), a);
    EXPECT_TRUE(reversedIn(10, 49, b, right()));

    load(a, b);
    select(10, 49, 1, false); // upper view only
    editor->MMreverse();
    EXPECT_TRUE(reversedIn(10, 49, a, left()));
    EXPECT_EQ(right(), b);

    load(a, b);
    select(10, 49, 2, true); // both channels
    editor->MMreverse();
    EXPECT_TRUE(reversedIn(10, 49, a, left()));
    EXPECT_TRUE(reversedIn(10, 49, b, right()));

    load(a, b); // nothing selected: the whole sound, whatever the option
    if (editor->options().bothChannels) editor->MMbeide();
    editor->MMreverse();
    EXPECT_TRUE(reversedIn(0, 199, a, left()));
    EXPECT_TRUE(reversedIn(0, 199, b, right()));
}

TEST_F(Frame, ProgressRunsOverBothPassesOrOneAndNormalizeHasTwoPhases) {
    ProgressHost progress;
    Editor second(progress,
                  EditorFolders{dir / "settings", dir / "temp", dir.string() + "/", true});
    second.startUp();
    auto loadInto = [&](Editor& e, bool stereo) {
        Document& d = e.doc();
        d.FileName = "*";
        d.SampleCount = 1000;
        d.LeftSamples = noise(1000, 4);
        d.RightSamples = stereo ? noise(1000, 5) : Samples{0};
        d.Channels = stereo ? 2.0f : 1.0f;
        d.BitsPerSample = 16;
    };
    loadInto(second, true);
    second.MMreverse();
    ASSERT_EQ(progress.steps.size(), 200u);
    EXPECT_EQ(progress.steps[0], 0);
    EXPECT_EQ(progress.steps[99], 50);   // round(99 / 2), halves to even
    EXPECT_EQ(progress.steps[100], 50);  // channel 2: round(100 - 100 / 2)
    EXPECT_EQ(progress.steps[199], 100); // round(100 - 1 / 2)

    progress.steps.clear();
    second.doc().SelStart = 0;
    second.doc().SelEnd = 499;
    second.doc().SelChannel = 2;
    if (second.options().bothChannels) second.MMbeide();
    second.MMreverse();
    ASSERT_EQ(progress.steps.size(), 100u);
    EXPECT_EQ(progress.steps.front(), 0);
    EXPECT_EQ(progress.steps.back(), 99);

    progress.steps.clear();
    loadInto(second, false);
    second.doc().SelStart = -1;
    second.MMnormalize();
    ASSERT_EQ(progress.steps.size(), 100u);
    EXPECT_EQ(progress.steps[49], 49);
    EXPECT_EQ(progress.steps[50], 50);
    EXPECT_EQ(progress.steps[99], 99);
}

TEST_F(Frame, ARefusedSnapshotLeavesTheSoundAlone) {
    const Samples a = noise(500, 6);
    load(a);
    std::filesystem::remove_all(dir / "temp");
    std::ofstream(dir / "temp") << "not a folder";
    editor->VeranderVolume(2, 2);
    editor->MMgekraak();
    editor->MaakEcho(100, 50, 100, 50, 3, 0);
    EXPECT_EQ(left(), a);
    EXPECT_EQ(doc().SampleCount, 500);
    EXPECT_EQ(doc().UndoLevel, 0);
    EXPECT_FALSE(doc().Changed);
    EXPECT_FALSE(host.lastCritical().empty());
}

TEST_F(Frame, SettingsThatCannotWorkAndLengthsBeyondThirtyTwoBitsAreRefusedFirst) {
    const Samples a = noise(500, 7);
    load(a);
    editor->VeranderSnelheid(0, 1);              // no speed at all
    editor->VeranderSnelheid(1e-7f, 1e-7f);      // some 5 billion frames
    editor->MaakEcho(-5, 50, 100, 50, 1, 0);     // an echo before its sound
    editor->MaakEcho(1e9f, 50, 1e9f, 50, 10, 0); // ten repeats, eleven days apart
    editor->VeranderVolume(std::nanf(""), 1);
    editor->Krimper(0);
    EXPECT_EQ(host.messages.size(), 6u);
    EXPECT_EQ(host.messages[1].text,
              "This would make the sound too long. Nothing has been changed.");
    EXPECT_EQ(host.messages[3].text, host.messages[1].text);
    EXPECT_EQ(host.messages[0].text,
              "The effect cannot be applied with this setting. Nothing has been changed.");
    EXPECT_EQ(left(), a);
    EXPECT_EQ(doc().UndoLevel, 0);
    EXPECT_EQ(host.playbackStops, 0);
}

TEST_F(Frame, VolumeSpeedAndEchoSaveTheOptionsFirst) {
    load(noise(500, 8));
    const auto options = dir / "settings" / "audio.dat";
    for (auto effect :
         {+[](Editor& e) { e.VeranderVolume(1, 1); }, +[](Editor& e) { e.VeranderSnelheid(1, 1); },
          +[](Editor& e) { e.MaakEcho(10, 10, 10, 10, 1, 1); }}) {
        std::filesystem::remove(options);
        effect(*editor);
        EXPECT_TRUE(std::filesystem::exists(options));
    }
    std::filesystem::remove(options);
    editor->MMreverse();
    EXPECT_FALSE(std::filesystem::exists(options));
}

TEST_F(Frame, UndoBringsBackTheLengthBeforeASpeedChange) {
    const Samples a = noise(1000, 9);
    load(a);
    editor->VeranderSnelheid(2, 2);
    EXPECT_EQ(doc().SampleCount, 500);
    editor->MMundo();
    EXPECT_EQ(doc().SampleCount, 1000);
    EXPECT_EQ(left(), a);
}

} // namespace
} // namespace sono::test
