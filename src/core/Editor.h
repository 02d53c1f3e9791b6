#pragma once
// The editor: owns the one document, the options and the work files, and has one method per
// command of the window. It reaches the outside only through EditorHost, so the window, the
// batch runner and the tests drive exactly the same code.
#include <array>
#include <filesystem>
#include <string>

#include "EditorHost.h"
#include "document/Document.h"
#include "formats/WavReader.h"
#include "settings/Settings.h"

namespace sono {

struct EditorFolders {
    std::filesystem::path settingsDir; // audio.dat, quality.dat
    std::filesystem::path tempDir;     // private work files
    std::string documentsDir;          // where the file dialogs start on a first run
    bool writeSettings = true;         // the batch runner reads the options but may not write them
};

class Editor {
  public:
    Editor(EditorHost& host, EditorFolders folders);

    // ---- life of the program ----
    void startUp();
    // The closing steps; false when the user cancelled the save-first question.
    bool shutDown();

    // ---- document, texts, status ----
    Document& doc() { return doc_; }
    const Document& doc() const { return doc_; }
    uint8_t language() const { return settings_.language; }
    std::string LangText(std::string_view dutch, std::string_view english) const;
    const std::string& caption() const { return caption_; }
    const std::string& panel(int number) const { return panels_.at(number); }
    void setStatus(int panel, const std::string& text);
    void RefreshStatusPanels();
    void ProgressStart(int kind);
    void ProgressShow(int step);
    void ProgressEnd();

    // ---- options and settings ----
    const Settings& settings() const { return settings_; }
    Settings& settings() { return settings_; }
    const Options& options() const { return settings_.options; }
    void SaveSettings();
    void MMned();
    void MMeng();
    void MMbeide();
    void MMluister();
    void MMmetertje();
    void MMzoom();
    void MMonbekend();
    void MMtoonInfo();
    void MMtijdAangeven();
    void SaveRecent(const std::string& path);
    void TidyRecent();

    // ---- files ----
    // Steps of Open after the dialog: remembers the folder, then OpenWave(path, path).
    void openChosenFile(const std::string& path);
    // By value: callers pass the current file name or a recent-file entry, which this changes.
    void OpenWave(std::string path, std::string displayName);
    // True when the file was written.
    bool WriteWave(int saveKind);
    void MMsave();
    void MMsaveAs();
    // The open and save dialogs' filter, "Wave-files (*.wav)|*.wav|All Files (*.*)|*.*".
    std::string waveFileFilter() const;
    void MMleeg();
    // The information dialog's OK for one field (an INFO id or "DISP"); false for an unknown id.
    bool setInfoText(std::string_view id, const std::string& text);
    // The tag of the Save menu item: "SELECT" makes the next write store the selection only.
    std::string saveTag;
    // Which channel the level meter follows: "0" both, "1" or "2".
    std::string levelMeterChannel = "1";

    // ---- view side of the document ----
    void DrawWaveform();
    void ShowSelection();
    void MMAlles();
    void MMNiets();
    // The primary-button gestures in view 1 (upper) or 2 (lower), with the pointer position
    // already turned into a frame number; the window and the batch runner share them.
    void selectionPointerDown(int view, double frame);
    void selectionPointerMove(int view, double frame);
    void selectionPointerUp();
    // A whole drag: down at `from`, a move to `to`, release.
    void dragSelection(int view, double from, double to);

    // ---- undo store ----
    void ClearUndo();
    // Takes the snapshot every edit starts with and marks the sound changed. False when the
    // snapshot could not be written: the edit must then be refused (the user has been told).
    bool PushUndo();
    void MMundo();
    void MMredo();
    // The Edit menu's state: Undo and Redo need a sound and a level to go to.
    bool undoEnabled() const;
    bool redoEnabled() const;

    // ---- selection edits and paste ----
    void MMcopy();
    void MMcut();
    void MMdel();
    void MMerase();
    void MMmute();
    // Appends the number of silent seconds asked for in an input box.
    void MMSilence();
    void MMpaste();
    void MMpasteMix();
    void MMpasteOverloper();
    // Brings the clip file (or, FromRecording, the file just recorded) into the sound.
    void PasteClip(bool Mix, bool Overlap, bool FromRecording);
    // The Edit menu's state: Cut, Delete, Erase and Mute need a selection; the paste commands
    // need the clip file.
    bool selectionEditsEnabled() const;
    bool pasteEnabled() const;
    // The Add Silence item's tag: the last accepted number of seconds, "" before the first.
    std::string silenceTag;

    // ---- format conversion and raw import ----
    // Converts the whole sound: rate (limited to 2500..100000), then bits, then channels.
    void ChangeProp(int pBitRate, int32_t pFrequency, int pChannels);
    // The check of an "Other" rate in the properties and raw-import panels: shows why a rate
    // below 1000 or above 100000 is refused.
    bool otherRateAccepted(double rate);
    // Open any file as raw samples (the panel's choices). False when the rate was refused, so
    // the dialog stays open; a file that cannot be read is reported and counts as done.
    bool openRawFile(const std::string& path, int bits, double rate, int channels);

    // ---- effects ----
    // Each works on the selection (in one channel or both, by the both-channels option) or, with
    // nothing selected, on the whole sound, and does nothing when no sound is loaded.
    void MMreverse();
    void MMnormalize();
    void MMDempen(); // soften
    // Shrink with blocks of N frames (2..10 from the dialog).
    void Krimper(int16_t N);
    // Factors at the first and last frame of the range; 1 leaves the sound as it is.
    void VeranderVolume(float Toename, float Toename2);
    // Speeds at the first and last frame of the range; 2 is twice as fast. The length changes.
    void VeranderSnelheid(float Oeroeboeroe, float OE2);
    // Delays in milliseconds and echo volumes in percent at the first and last frame of the
    // range, Nr1 repeats, Softer 1 for each repeat softer than the one before.
    void MaakEcho(float Delay, float VolProcent, float Delay2, float VolProcent2, int16_t Nr1,
                  int16_t Softer);
    void MMalien();   // alien voice 1: an octave up by doubling every cycle
    void MMalien2();  // alien voice 2: ring modulation
    void MMsat();     // satellite
    void MMgekraak(); // creaking
    // Multiplies by Factor every sample louder (Groter) or quieter than Procent of full scale.
    void FilterSub(bool Groter, float Procent, float Factor);
    friend class EffectFrame; // the steps all effects share (EditorEffects.cpp)

    // The save-first question; false when the user cancelled.
    bool offerSaveFirst();

  private:
    void switchLanguage(uint8_t language);
    void toggle(bool Options::*option);
    void resetForReading();
    void reportFileLists(const std::string& path, const WavReadResult& read);
    std::string failureText(const WavReadResult& read) const;
    void setCaption(const std::string& caption);

    void rememberFolderOf(const std::string& path);

    // selection edits and paste
    bool copySelection();
    bool deleteSelection();
    bool muteSelection();
    void refreshLengthPanels();
    void pasteFailed(bool fromRecording);

    // undo store
    void reportSnapshotNotWritten();
    // Loads snapshot UndoLevel; on a damaged file puts UndoLevel back to returnLevel and says so.
    bool loadSnapshot(int16_t returnLevel);
    void showLoadedSnapshot();
    // Playback after a change, when the option asks for it.
    void playAfterChange();

    EditorHost& host_;
    EditorFolders folders_;
    Document doc_;
    Settings settings_;
    std::string caption_ = "Sonoplexer";
    std::array<std::string, 5> panels_; // index 1..4
    std::string progressText_;
    bool dragMovesEnd_ = true; // which end follows the pointer; the other is the anchor
};

} // namespace sono
