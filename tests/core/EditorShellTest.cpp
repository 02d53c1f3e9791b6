// The editor around the document: language switch, recent files, new sound, redraw rules.
#include <gtest/gtest.h>

#include <fstream>

#include "EditorFixture.h"

using namespace sono;
using sono::test::EditorFixture;

using EditorShell = EditorFixture;

TEST_F(EditorShell, LanguageSwitchRewritesDurationAndSizeButNotFormat) {
    editor->MMleeg();
    EXPECT_EQ(editor->caption(), "No Title - Sonoplexer");
    EXPECT_EQ(editor->panel(1), "A new sound has been created.");
    std::string format = editor->panel(2);
    EXPECT_EQ(editor->panel(3), "Time: 0.00");
    editor->MMned();
    EXPECT_EQ(editor->panel(1), "De taal is nu Nederlands.");
    EXPECT_EQ(editor->panel(2), format);
    EXPECT_EQ(editor->panel(3), "Duur: 0.00");
    EXPECT_EQ(editor->panel(4), "Bestand: 1 kb");
    // The caption keeps the language it was made in until the next sound.
    EXPECT_EQ(editor->caption(), "No Title - Sonoplexer");
    editor->MMned();
    EXPECT_EQ(editor->panel(3), "Duur: 0.00");
    editor->MMeng();
    EXPECT_EQ(editor->panel(3), "Time: 0.00");
}

TEST_F(EditorShell, NewSoundIsSilenceWithDateAndSignature) {
    editor->MMleeg();
    const Document& doc = editor->doc();
    EXPECT_EQ(doc.FileName, "*");
    EXPECT_EQ(doc.SampleCount, 100);
    EXPECT_EQ(doc.Channels, 1);
    ASSERT_EQ(doc.LeftSamples.size(), 100u);
    EXPECT_EQ(doc.LeftSamples[57], 0);
    EXPECT_EQ(*doc.Info.find("ISFT"), "Sonoplexer 1.6");
    const std::string& date = *doc.Info.find("ICRD");
    ASSERT_EQ(date.size(), 10u);
    EXPECT_EQ(date[2], '-');
    EXPECT_EQ(date[5], '-');
    EXPECT_EQ(doc.SelStart, -1);
}

TEST_F(EditorShell, RecentFilesKeepFiveNewestWithoutRepeatsOrMissingFiles) {
    std::vector<std::string> files;
    for (int i = 0; i < 6; ++i) {
        files.push_back(path("f" + std::to_string(i) + ".wav"));
        std::ofstream(files.back()) << "x";
        editor->SaveRecent(files.back());
    }
    const auto& recent = editor->settings().recentFiles;
    EXPECT_EQ(recent[0], files[5]);
    EXPECT_EQ(recent[4], files[1]);

    // The same file in another letter case counts once (the first, newest spelling stays).
    std::string upperCase = path("F5.WAV");
    std::ofstream(upperCase) << "x";
    editor->SaveRecent(upperCase);
    EXPECT_EQ(recent[0], upperCase);
    EXPECT_NE(recent[1], files[5]);

    std::filesystem::remove(files[4]);
    editor->TidyRecent();
    for (const auto& entry : recent)
        EXPECT_NE(entry, files[4]);
}

TEST_F(EditorShell, SelectionRoundsUpAndClampsOnShow) {
    editor->MMleeg();
    Document& doc = editor->doc();
    doc.SelStart = 10.3f;
    doc.SelEnd = 11;
    editor->ShowSelection();
    EXPECT_EQ(doc.SelStart, 11);
    EXPECT_EQ(doc.SelEnd, 12);
    doc.SelStart = 10;
    doc.SelEnd = 500;
    editor->ShowSelection();
    EXPECT_EQ(doc.SelStart, 10);
    EXPECT_EQ(doc.SelEnd, 99);
    editor->MMNiets();
    EXPECT_EQ(doc.SelStart, -1);
}

TEST_F(EditorShell, RedrawLengthensShortSoundsWithSilence) {
    editor->MMleeg();
    Document& doc = editor->doc();
    doc.BitsPerSample = 8;
    doc.Channels = 2;
    doc.SampleCount = 10;
    doc.LeftSamples.assign(10, 200);
    doc.RightSamples.assign(10, 50);
    editor->DrawWaveform();
    EXPECT_EQ(doc.SampleCount, 100);
    ASSERT_EQ(doc.LeftSamples.size(), 100u);
    ASSERT_EQ(doc.RightSamples.size(), 100u);
    EXPECT_EQ(doc.LeftSamples[9], 200);
    EXPECT_EQ(doc.LeftSamples[10], 128);
    EXPECT_EQ(doc.RightSamples[99], 128);
}

TEST_F(EditorShell, ClosingAsksToSaveOnlyChangedSoundsAndCancelKeepsRunning) {
    editor->MMleeg();
    EXPECT_TRUE(editor->shutDown());
    EXPECT_TRUE(host.questions.empty());
    editor->doc().Changed = true;
    host.answers.push_back(Answer::Cancel);
    host.statusLog.clear();
    EXPECT_FALSE(editor->shutDown());
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], "Do you first want to save the sound you have now?");
    EXPECT_TRUE(host.statusLog.empty());
    // Yes on an untitled sound goes to Save As; cancelling it still closes.
    host.answers.push_back(Answer::Yes);
    EXPECT_TRUE(editor->shutDown());
    EXPECT_EQ(editor->panel(1), "Bye bye!");
}
