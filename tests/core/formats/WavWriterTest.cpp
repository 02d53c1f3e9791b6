// Saving through the editor: the exact bytes of the file and saves that fail without harming the
// old file. That saved sounds read back as they were, to sox too, is in files.sb and saving.sb.
#include <gtest/gtest.h>

#include "WavBytes.h"

namespace sono::test {
namespace {

using namespace std::string_literals;

using WavWriter = WavFixture;

TEST_F(WavWriter, SmallStereoSoundGetsAnEvenFrameCountAndAnEmptyList) {
    makeSound(16, 2, 3);
    left() = {1, 2, 3};
    right() = {-1, -2, -3};
    editor->files().save();
    const std::string file = saved();
    EXPECT_EQ(file, riff(fmtChunk(2, 22050, 16) + chunk("data", le16({1, -1, 2, -2, 3, -3, 0, 0})) +
                         chunk("LIST", "INFO")));
    EXPECT_EQ(file.substr(4, 4), std::string("\x40\0\0\0", 4)); // 72 bytes in all
    EXPECT_EQ(doc().SampleCount, 4);
    EXPECT_EQ(right(), Samples({-1, -2, -3, 0}));
    EXPECT_FALSE(doc().Changed);
    EXPECT_EQ(editor->status().panel(1), "The sound has been saved.");
}

TEST_F(WavWriter, TextsAreWrittenInTheirFixedOrderWithOddOnesPadded) {
    makeSound(8, 1, 100);
    Document& doc = editor->doc();
    *doc.Info.find("ISFT") = "Sonoplexer 1.6";
    editor->files().save();
    EXPECT_EQ(saved().substr(44 + 100), infoList({{"ISFT", "Sonoplexer 1.6"}}));
    EXPECT_EQ(saved().substr(148, 4), std::string("\x1a\0\0\0", 4)); // the list's size: 26

    *doc.Info.find("IART") = "Art";
    *doc.Info.find("ISBJ") = "Subj";
    *doc.Info.find("INAM") = "abcde";
    doc.DispText = "label";
    editor->files().save();
    EXPECT_EQ(saved().substr(44 + 100), infoList({{"ISBJ", "Subj"},
                                                  {"IART", "Art\0"s},
                                                  {"INAM", "abcde\0"s},
                                                  {"ISFT", "Sonoplexer 1.6"}}) +
                                            dispChunk("label\0"s));
    // The added zeros stay with the texts.
    EXPECT_EQ(*doc.Info.find("INAM"), "abcde\0"s);
    EXPECT_EQ(doc.DispText, "label\0"s);
}

// A write that stops half-way, as on a full disk: the process may not make files this large.
TEST_F(WavWriter, FailedSavesKeepTheOldFileTheNameAndTheChangedMark) {
    makeSound(16, 2, 2000);
    editor->files().save();
    const std::string old = saved();
    const std::string name = editor->doc().FileName;
    editor->doc().LeftSamples[0] = 1234;
    editor->doc().Changed = true;
    {
        FileSizeLimit limit(1000);
        editor->files().save();
    }
    EXPECT_EQ(saved(), old);
    EXPECT_TRUE(editor->doc().Changed);
    EXPECT_EQ(editor->status().panel(1), "The sound has not been saved.");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, name);
    const std::string tooLarge = "The sound has not been saved caused by an unknown problem.\r\r"
                                 "The file would be larger than is allowed.";
    EXPECT_EQ(host.lastCritical(), tooLarge);

    // Samples beyond the 4 GiB a WAV file can describe are refused before anything is written
    // (the sound only claims that length: its samples are never read).
    editor->doc().SampleCount = 1'100'000'000;
    editor->files().save();
    EXPECT_EQ(saved(), old);
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.lastCritical(), tooLarge);
    editor->doc().SampleCount = 2000;

    // A failed Save As (its texts, name, caption and changed mark are in saving.sb) is not
    // remembered as a recent file.
    host.savePaths = {path("missing/new.wav")};
    editor->files().saveAs();
    EXPECT_EQ(editor->doc().FileName, name);
    EXPECT_EQ(saved(), old);
    EXPECT_EQ(editor->settings().recentFiles[0], "");
}

} // namespace
} // namespace sono::test
