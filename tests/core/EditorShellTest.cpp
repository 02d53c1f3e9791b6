// The editor around the document: recent files, new sound, the selection, closing.
#include <gtest/gtest.h>

#include <fstream>

#include "EditorFixture.h"

using namespace sono;
using sono::test::EditorFixture;

using EditorShell = EditorFixture;

// The date changes from day to day, which a batch script's fixed output cannot follow.
TEST_F(EditorShell, NewSoundIsMonoWithDateAndSignature) {
    editor->MMleeg();
    const Document& doc = editor->doc();
    EXPECT_EQ(doc.Channels, 1);
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
}

// Whole drags are in the batch scripts; the steps of one are seen only from here.
TEST_F(EditorShell, DraggingBackAcrossTheAnchorSwapsTheEndsAndTheAnchorStays) {
    editor->MMleeg(); // 100 frames
    const Document& doc = editor->doc();
    editor->selectionPointerDown(1, 50);
    editor->selectionPointerMove(1, 30);
    EXPECT_EQ(doc.SelStart, 30);
    EXPECT_EQ(doc.SelEnd, 50);
    editor->selectionPointerMove(1, 70);
    EXPECT_EQ(doc.SelStart, 50);
    EXPECT_EQ(doc.SelEnd, 70);
    editor->selectionPointerMove(1, 20);
    editor->selectionPointerUp();
    EXPECT_EQ(doc.SelStart, 20);
    EXPECT_EQ(doc.SelEnd, 50);
}

// The last pixel column of a view maps to the frame just past the end.
TEST_F(EditorShell, APressPastTheEndOfAnOddSoundTakesItsLastFrame) {
    load(Samples(101, 0));
    const Document& doc = editor->doc();
    editor->selectionPointerDown(1, 101);
    EXPECT_EQ(doc.SelStart, 100);
    EXPECT_EQ(doc.SelEnd, 100);
    editor->selectionPointerUp(); // a click selects nothing
    EXPECT_EQ(doc.SelStart, -1);
    EXPECT_EQ(doc.SelEnd, 100);

    editor->dragSelection(2, 101, 21); // back from the end: 21 is shown as 22
    EXPECT_EQ(doc.SelStart, 22);
    EXPECT_EQ(doc.SelEnd, 100);
    EXPECT_EQ(doc.SelChannel, 2);
    editor->dragSelection(1, 20, 101);
    EXPECT_EQ(doc.SelStart, 20);
    EXPECT_EQ(doc.SelEnd, 100);
    editor->dragSelection(1, 99, 101); // 99 is shown as 100: a click at the end after all
    EXPECT_EQ(doc.SelStart, -1);
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
