// The editor around the document: recent files, new sound, the selection, closing.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>

#include "EditorFixture.h"

using namespace sono;
using sono::test::EditorFixture;
using sono::test::ramp;

using EditorShell = EditorFixture;

TEST_F(EditorShell, RecentFilesKeepFiveNewestWithoutRepeatsOrMissingFiles) {
    const auto remember = [&](const std::string& name) {
        std::ofstream(path(name)) << "x";
        editor->preferences().rememberRecentFile(path(name));
    };
    for (int i = 0; i < 6; ++i)
        remember("f" + std::to_string(i) + ".wav");
    const auto& recent = editor->settings().recentFiles;
    EXPECT_EQ(recent[0], path("f5.wav"));
    EXPECT_EQ(recent[4], path("f1.wav"));
    // The same file in another letter case counts once (the first, newest spelling stays).
    remember("F5.WAV");
    EXPECT_EQ(recent[0], path("F5.WAV"));
    EXPECT_NE(recent[1], path("f5.wav"));
    std::filesystem::remove(path("f4.wav"));
    editor->preferences().tidyRecentFiles();
    EXPECT_EQ(std::ranges::count(recent, path("f4.wav")), 0);
}

// The save dialog comes back after No to overwriting a file, the open dialog after the name of
// a file that is not there; Cancel in either leaves the sound as it is.
TEST_F(EditorShell, TheFileDialogsComeBackUntilTheyNameAFileToUse) {
    load(ramp(200));
    const std::string first = path("first.wav"), second = path("second.wav");
    host.savePaths = {first};
    editor->files().saveAs();
    host.savePaths = {first, second};
    editor->files().saveAs(); // No to the overwrite question
    EXPECT_EQ(host.questions, std::vector<std::string>{"This file already exists. Overwrite it?"});
    EXPECT_EQ(doc().FileName, second);

    host.openPaths = {path("missing.wav"), first};
    editor->files().openFile();
    EXPECT_TRUE(host.openPaths.empty());
    EXPECT_EQ(doc().FileName, first);
    EXPECT_EQ(editor->settings().lastDir, dir.string() + "/");
    editor->files().openFile();
    editor->files().saveAs();
    EXPECT_EQ(doc().FileName, first);
}

// Whole drags are in the batch scripts; the steps of one, and the ends of the sound, are seen
// only from here. The last pixel column of a view maps to the frame just past the end, and a press
// on the last frame of an even sound rounds past it: released there it selects nothing (and so
// disables Cut, Delete, Erase and Mute); dragged back it is the anchor.
TEST_F(EditorShell, APointerDragSelectsFromItsAnchorWithinTheSound) {
    const Selection& selection = doc().selection;
    const auto selected = [&] { return std::pair(selection.SelStart, selection.SelEnd); };
    editor->newEmptySound(); // 100 frames
    editor->view().selectionPointerDown(1, 50);
    editor->view().selectionPointerMove(1, 30);
    EXPECT_EQ(selected(), std::pair(30.0, 50.0));
    editor->view().selectionPointerMove(1, 70);
    EXPECT_EQ(selected(), std::pair(50.0, 70.0));
    editor->view().selectionPointerMove(1, 20);
    editor->view().selectionPointerUp();
    EXPECT_EQ(selected(), std::pair(20.0, 50.0));
    // A release one frame from the anchor (once both ends are rounded) selects; a click without
    // a move selects nothing.
    editor->view().dragSelection(1, 10, 10.4);
    EXPECT_EQ(selected(), std::pair(10.0, 12.0));
    editor->view().dragSelection(1, 10, 10);
    EXPECT_FALSE(doc().hasSelection());

    load(Samples(101, 0));
    editor->view().selectionPointerDown(1, 101);
    EXPECT_EQ(selected(), std::pair(100.0, 100.0));
    editor->view().selectionPointerUp(); // a click selects nothing
    EXPECT_EQ(selected(), std::pair(-1.0, 100.0));
    editor->view().dragSelection(2, 101, 21); // back from the end: 21 is shown as 22
    EXPECT_EQ(selected(), std::pair(22.0, 100.0));
    EXPECT_EQ(selection.SelChannel, 2);
    editor->view().dragSelection(1, 20, 101);
    EXPECT_EQ(selected(), std::pair(20.0, 100.0));
    editor->view().dragSelection(1, 99, 101); // 99 is shown as 100: a click at the end after all
    EXPECT_EQ(selection.SelStart, -1);

    load(ramp(200));
    editor->view().dragSelection(1, 199, 250);
    EXPECT_FALSE(doc().hasSelection());
    EXPECT_FALSE(editor->enabled(EnabledRule::SelectionMade));
    editor->edits().cut();
    EXPECT_EQ(doc().SampleCount, 200);
    EXPECT_TRUE(host.statusLog.empty());
    editor->view().dragSelection(1, 199, 150);
    EXPECT_EQ(selected(), std::pair(150.0, 199.0));
}

// The save question comes only for a changed sound, and a sound made in memory or brought back
// after a crash counts as changed until it is saved. Cancel, or Yes followed by a save that did not
// happen, cancels what asked: the sound stays as it is.
TEST_F(EditorShell, TheSaveQuestionNeverLetsTheSoundGoUnsaved) {
    editor->newEmptySound(); // a new silence has nothing to lose
    EXPECT_TRUE(editor->shutDown());
    EXPECT_TRUE(host.questions.empty());

    const std::string other = path("other.wav");
    host.savePaths = {other};
    editor->files().saveAs(); // also the first recent file
    // Raw samples and a Morse message are in no WAV file yet.
    ASSERT_TRUE(editor->files().openRawFile(other, 8, 8000, 1));
    EXPECT_TRUE(doc().Changed);
    host.answers = {Answer::No};
    editor->generators().makeMorse({"E", 75, 11025, 8, false});
    ASSERT_TRUE(doc().Changed);
    host.answers = {Answer::Yes}; // the offer made at the start after a crash
    ASSERT_TRUE(editor->history().offerRecovery({{2, 8000, 16}, 3, {4, 5, 6}, {7, 8, 9}}));
    const Samples made = left();

    auto askAgain = [&](std::optional<std::string> savedAs) {
        host.questions.clear();
        host.answers = {Answer::Yes};
        host.savePaths = {savedAs};
    };
    auto stillThere = [&](const char* what) {
        SCOPED_TRACE(what);
        EXPECT_EQ(host.questions.size(), 1u);
        EXPECT_EQ(left(), made);
        EXPECT_EQ(doc().FileName, "*");
        EXPECT_TRUE(doc().Changed);
    };
    const std::pair<const char*, std::function<void()>> asking[] = {
        {"close",
         [&] {
             EXPECT_FALSE(editor->shutDown());
             EXPECT_NE(editor->status().panel(1), "Bye bye!");
         }},
        {"new", [&] { editor->newEmptySound(); }},
        {"open", [&] { EXPECT_FALSE(editor->files().openWave(other, "other.wav")); }},
        {"a recent file", [&] { editor->files().openRecentFile(0); }},
        {"another message", [&] {
             editor->generators().makeMorse({"T", 75, 11025, 8, false});
         }}};
    for (std::optional<std::string> savedAs :
         {std::optional<std::string>(), std::optional(path("missing/made.wav"))})
        for (const auto& [what, action] : asking) {
            askAgain(savedAs);
            action();
            stillThere(what);
        }
    host.questions.clear();
    host.answers = {Answer::Cancel};
    EXPECT_FALSE(editor->shutDown());
    stillThere("cancelled");

    // Saved, it closes.
    askAgain(path("made.wav"));
    EXPECT_TRUE(editor->shutDown());
    EXPECT_EQ(editor->status().panel(1), "Bye bye!");
    EXPECT_TRUE(std::filesystem::exists(path("made.wav")));
}

// What the views and the play cursor are told after a change: the frames, the channels, and
// whether the length changed.
TEST_F(EditorShell, EveryChangeSaysWhichFramesAndChannelsItTouched) {
    load(ramp(200), ramp(200, 1000));
    select(10, 19, 2, false);
    ASSERT_TRUE(editor->runCommand("MMmute"));
    EXPECT_EQ(host.changes, (std::vector<SoundChange>{{10, 19, false, true, false, false}}));

    load(ramp(100));
    select(0, 9);
    editor->edits().copy();
    select(50, 51);
    host.changes.clear();
    editor->edits().paste(); // ten frames in place of two: everything from frame 50 on moved
    EXPECT_EQ(host.changes, (std::vector<SoundChange>{{50, 107, true, false, true, false}}));

    host.changes.clear();
    editor->history().undo();
    EXPECT_EQ(host.changes, (std::vector<SoundChange>{{0, 99, true, false, true, false}}));

    // A conversion is a new sound in a new format.
    host.changes.clear();
    editor->files().changeProperties(16, 44100, 2);
    EXPECT_EQ(host.changes, (std::vector<SoundChange>{{0, 199, true, true, true, true}}));
}

// A command that arrives while another one waits for an answer (a timer, a queued signal) is
// refused and changes nothing.
TEST_F(EditorShell, ASecondCommandIsRefusedWhileOneRuns) {
    load(ramp(200));
    ASSERT_TRUE(editor->runCommand("MMreverse"));
    bool refused = false;
    host.whileAsking = [&] { refused = !editor->runCommand("MMreverse"); };
    host.answers = {Answer::Cancel};
    EXPECT_TRUE(editor->runCommand("MMleeg")); // asks to save first
    EXPECT_TRUE(refused);
    EXPECT_EQ(std::ranges::count(host.statusLog, "The command has not been carried out, because "
                                                 "another one is still running."),
              1);
    EXPECT_EQ(doc().UndoLevel, 1);
    EXPECT_EQ(left()[0], 199);
    host.whileAsking = nullptr;
    EXPECT_TRUE(editor->runCommand("MMreverse"));
    EXPECT_EQ(left()[0], 0);
}

// Nothing changes when a command would make the sound longer than a sound can be. The sounds
// here only claim such lengths: every refusal comes before a sample is touched.
TEST_F(EditorShell, CommandsThatLengthenRefuseASoundTooLongBeforeChangingAnything) {
    const std::string tooLong = "This would make the sound too long. Nothing has been changed.";
    load(ramp(100), {}, 16, 2500);
    doc().SampleCount = 54'000'000; // 40 times that at 100000 Hz is past the longest sound
    editor->files().changeProperties(16, 100000, 1);

    doc().SampleCount = int32_t(MaxSampleCount - 1000);
    host.inputs = {"1"};
    editor->edits().addSilence();

    doc().SampleCount = 100;
    select(0, 9);
    editor->edits().copy();
    doc().SampleCount = int32_t(MaxSampleCount - 5);
    select(0, 1);
    editor->edits().paste();

    EXPECT_EQ(host.messageTexts(), std::vector<std::string>(3, tooLong));
    EXPECT_EQ(doc().UndoLevel, 0);
    EXPECT_EQ(doc().SampleRate, 2500);
    EXPECT_TRUE(host.changes.empty());
}

TEST_F(EditorShell, GreetingsComeOnTheirDatesOnly) {
    for (auto [month, day] : {std::pair{12, 24}, {12, 25}, {12, 26}, {12, 27}, {1, 2}, {6, 1}})
        editor->greet(month, day);
    editor->preferences().switchToDutch();
    editor->greet(1, 1);
    EXPECT_EQ(host.messageTexts(), (std::vector<std::string>{"Merry Christmas!", "Merry Christmas!",
                                                             "Gelukkig nieuwjaar!"}));
}

// When the rules of the command table let a command be used: with a sound, a selection, the clip
// file, a level to undo or redo, and while the device plays. The menu items that follow them are
// the window test's.
TEST_F(EditorShell, TheCommandRulesFollowTheSoundTheSelectionTheLevelsAndTheDevice) {
    using enum EnabledRule;
    const auto enabled = [&] {
        std::string out;
        for (EnabledRule rule : {SoundLoaded, SelectionMade, ClipAvailable, UndoAvailable,
                                 RedoAvailable, SoundPlaying, SoundSeekable})
            out += editor->enabled(rule) ? '+' : '-';
        return out;
    };
    EXPECT_EQ(enabled(), "-------");
    load(ramp(200));
    EXPECT_EQ(enabled(), "+------");
    select(10, 19);
    EXPECT_EQ(enabled(), "++-----");
    editor->edits().copy();
    EXPECT_EQ(enabled(), "+++----");
    editor->effects().reverse();
    EXPECT_EQ(enabled(), "++++---");
    editor->history().undo(); // undo clears the selection
    EXPECT_EQ(enabled(), "+-+-+--");
    // The device plays: Stop, Rewind and Forward; at the end it stops by itself.
    device.positionMs = 300;
    device.lengthMs = 1000;
    EXPECT_EQ(enabled(), "+-+-+++");
    device.positionMs = 1000;
    EXPECT_EQ(enabled(), "+-+-+--");
}
