#pragma once
// The Edit menu's selection commands (copy, cut, delete, erase, mute, add silence) and the three
// pastes of the clip file. Stop merges a recording through the same paste, so that a recording
// and a clip arrive in the sound in one way.
#include <cstdint>
#include <filesystem>
#include <string>

#include "ports/UserDialogs.h"
#include "ports/ViewObserver.h"

namespace sono {

class Editor;
struct Document;

class EditCommands {
  public:
    // tempDir: where the clip file lies.
    EditCommands(Editor& editor, UserDialogs& dialogs, ViewObserver& view,
                 std::filesystem::path tempDir);

    void copy();
    void cut();
    void deleteSelected();
    void erase();
    void mute();
    // Appends the number of silent seconds asked for in an input box.
    void addSilence();
    void paste();
    void pasteMixed();
    void pasteFading();
    // Brings the clip file (or, fromRecording, the file just recorded) into the sound.
    void pasteClip(bool mix, bool fade, bool fromRecording);

  private:
    // The editor's document, which the edits change.
    Document& doc();

    bool copySelection();
    bool deleteSelection();
    bool muteSelection();
    // Room for a sound of `frames` frames in every channel, made before anything changes. False
    // (the user has been told) beyond the longest sound or the memory there is.
    bool makeRoomFor(int64_t frames);
    void pasteFailed(bool fromRecording);

    Editor& editor_;
    UserDialogs& dialogs_;
    ViewObserver& view_;
    std::filesystem::path tempDir_;
    std::string lastSilenceAnswer_ = "1"; // the seconds Add Silence asks with: the last accepted
};

} // namespace sono
