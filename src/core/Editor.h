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

    // ---- undo store ----
    void ClearUndo();
    // Takes the snapshot every edit starts with and marks the sound changed. False when the
    // snapshot could not be written: the edit must then be refused (the user has been told).
    bool PushUndo();

    // ---- selection edits and paste ----

    // ---- effects ----

    // The save-first question; false when the user cancelled.
    bool offerSaveFirst();
    const std::filesystem::path& tempDir() const { return folders_.tempDir; }

private:
    void switchLanguage(uint8_t language);
    void toggle(bool Options::*option);
    void resetForReading();
    void reportFileLists(const std::string& path, const WavReadResult& read);
    std::string failureText(const WavReadResult& read) const;
    void setCaption(const std::string& caption);

    void rememberFolderOf(const std::string& path);

    EditorHost& host_;
    EditorFolders folders_;
    Document doc_;
    Settings settings_;
    std::string caption_ = "Sonoplexer";
    std::array<std::string, 5> panels_; // index 1..4
    std::string progressText_;
};

} // namespace sono
