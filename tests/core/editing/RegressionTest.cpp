// Edits checked once more against their exact numbers: the progress the loops show and the
// format panel of a fast sound.
#include <vector>

#include "EditingFixture.h"

namespace sono::test {
namespace {

// Records every progress step shown.
class StepHost : public FakeHost {
  public:
    std::vector<int> steps;
    void progressShown(int step, const std::string&) override { steps.push_back(step); }
};

class EditRegression : public EditingFixture {
  protected:
    // A second editor on the same folders whose host records the progress.
    Editor& recording() {
        if (!stepEditor) {
            stepEditor = std::make_unique<Editor>(
                stepHost, EditorFolders{dir / "settings", dir / "temp", dir.string() + "/", true});
            stepEditor->startUp();
        }
        return *stepEditor;
    }
    // An untitled stereo sound of 1000 frames, the both-channels option on, frames first..last
    // selected (none when first is -1).
    void stereoSound(Editor& e, float bits, int first, int last) {
        Document& d = e.doc();
        d.FileName = "*";
        d.BitsPerSample = bits;
        d.SampleRate = 22050;
        d.Channels = 2;
        d.SampleCount = 1000;
        d.LeftSamples = ramp(1000, bits == 8 ? -900 : 0);
        d.RightSamples = d.LeftSamples;
        if (bits == 8)
            for (Samples* channel : {&d.LeftSamples, &d.RightSamples})
                for (int16_t& s : *channel)
                    s = int16_t(s & 0xFF);
        d.SelStart = float(first);
        d.SelEnd = float(last);
        d.SelChannel = 1;
        if (!e.options().bothChannels) e.MMbeide();
        stepHost.steps.clear();
    }

    StepHost stepHost;
    std::unique_ptr<Editor> stepEditor;
};

TEST_F(EditRegression, EditLoopsRoundTheirProgressHalvesToEven) {
    Editor& e = recording();

    // Mute of both channels: slice s shows s / 2, then 100 - (100 - s) / 2, each rounded.
    stereoSound(e, 16, 100, 899);
    e.MMmute();
    ASSERT_EQ(stepHost.steps.size(), 200u);
    EXPECT_EQ(stepHost.steps[1], 0);    // 0.5
    EXPECT_EQ(stepHost.steps[3], 2);    // 1.5
    EXPECT_EQ(stepHost.steps[5], 2);    // 2.5
    EXPECT_EQ(stepHost.steps[99], 50);  // 49.5
    EXPECT_EQ(stepHost.steps[101], 50); // 100 - 49.5
    EXPECT_EQ(stepHost.steps[103], 52); // 100 - 48.5
    EXPECT_EQ(e.doc().LeftSamples[100], 0);

    // Delete of both channels: the first channel's slices show s / Channels.
    stereoSound(e, 16, 100, 199);
    e.MMdel();
    ASSERT_GE(stepHost.steps.size(), 100u);
    EXPECT_EQ(stepHost.steps[3], 2);
    EXPECT_EQ(stepHost.steps[7], 4);
    EXPECT_EQ(stepHost.steps[99], 50);
    EXPECT_EQ(e.doc().SampleCount, 900);

    // Silence added to an 8-bit stereo sound: s / Channels, then s / 2 + 50.
    stereoSound(e, 8, -1, -1);
    stepHost.inputs.push_back("1");
    e.MMSilence();
    ASSERT_EQ(stepHost.steps.size(), 200u);
    EXPECT_EQ(stepHost.steps[3], 2);
    EXPECT_EQ(stepHost.steps[103], 52); // 51.5
    EXPECT_EQ(stepHost.steps[105], 52); // 52.5
    EXPECT_EQ(e.doc().SampleCount, 1000 + 22050);
    EXPECT_EQ(e.doc().RightSamples.back(), 128);
}

TEST_F(EditRegression, FormatPanelWritesAHundredThousandHertzInPlainDigits) {
    Document& d = doc();
    d.FileName = "*";
    d.BitsPerSample = 16;
    d.SampleRate = 22050;
    d.Channels = 1;
    d.SampleCount = 220;
    d.LeftSamples = ramp(220);
    d.RightSamples = {0};
    editor->ChangeProp(16, 100000, 1);
    EXPECT_EQ(doc().SampleRate, 100000);
    EXPECT_EQ(editor->panel(2), " 16-bits, 100000 Hz, mono   ");

    writeBytes(dir / "any.bin", std::string(400, '\x80'));
    EXPECT_TRUE(editor->openRawFile((dir / "any.bin").string(), 8, 100000, 2));
    EXPECT_EQ(editor->panel(2), " 8-bits, 100000 Hz, stereo   ");
    // Undo keeps the imported sound as the state Redo brings back.
    editor->MMundo();
    EXPECT_EQ(editor->panel(2), " 16-bits, 22050 Hz, mono   ");
    editor->MMredo();
    EXPECT_EQ(editor->panel(2), " 8-bits, 100000 Hz, stereo   ");
}

} // namespace
} // namespace sono::test
