#pragma once
// Play, Stop and the three Record commands as the sound sees them: what is played of it, where a
// recording goes and how Stop merges it, the mark keys, and the playback after a change. The
// device itself is the Transport's.
#include <filesystem>
#include <string>

#include "editor/Transport.h"

namespace sono {

class Editor;
struct Document;

class PlaybackCommands {
  public:
    // tempDir: where recordings and other sounds on their way are written. playsSound: false for
    // a host that makes no sound, which then plays nothing after changes.
    PlaybackCommands(Editor& editor, Transport& transport, std::filesystem::path tempDir,
                     bool playsSound);

    // Play: the sound, or the selection, played straight from memory.
    void play();
    // Stop: ends playback and releases the device; a recording is ended and merged. Every
    // command that changes the sound or leaves it starts with this.
    void stop();
    // Records from the sound input until Stop, which inserts the recording (Record), adds it onto
    // the selection (Record mix) or fades it in over the selection (Record Fading).
    void record();
    void recordMixed();
    void recordFading();
    // The two mark keys: the frame being heard becomes the selection's start (or its end).
    void markAtPlayPosition(bool start);
    // Playback after a change, when the option asks for it.
    void playAfterChange();
    // The first free name TempDir + "sonoplexer N$.tmp" (N with its leading blank).
    std::string newTempSoundName() const;

  private:
    // The editor's document, which is played and recorded into.
    Document& doc();

    void startPlaying(bool asked);
    void startRecording(RecordingMerge merge);

    Editor& editor_;
    Transport& transport_;
    std::filesystem::path tempDir_;
    bool playsSound_;
};

} // namespace sono
