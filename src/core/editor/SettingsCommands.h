#pragma once
// The options and the language as the user changes them, the recent files, and the settings
// folder's two files (audio.dat: options, recent files, dialog states; quality.dat: the format of
// the next new sound). The settings themselves stay with the editor, which every part reads.
#include <filesystem>
#include <string>

#include "ports/UserDialogs.h"
#include "ports/ViewObserver.h"
#include "settings/Settings.h"

namespace sono {

class Editor;
struct EditorFolders;

class SettingsCommands {
  public:
    SettingsCommands(Editor& editor, UserDialogs& dialogs, ViewObserver& view,
                     const EditorFolders& folders);

    // ---- the settings folder ----
    // The options file's settings, or on a first run the defaults with the documents folder as
    // the folder the file dialogs open in.
    void loadSettings();
    // Writes the options file (not in a batch run); a failure is said once.
    void saveSettings();
    // The format of the next new sound, and keeping it for the next run.
    Quality readQuality() const;
    void saveQuality(const Quality& quality);

    // ---- the commands ----
    void switchToDutch();
    void switchToEnglish();
    // Turns an option on or off, keeps it, and shows what it changes.
    void toggleOption(bool Options::*option);
    // Zoom: the option, and the message that says what it does.
    void toggleZoom();

    // ---- recent files ----
    // `path` becomes the newest of the five.
    void rememberRecentFile(const std::string& path);
    // Drops the files that are gone and the repeats (whatever their letter case).
    void tidyRecentFiles();

  private:
    void switchLanguage(uint8_t language);
    void reportSettingsNotWritten();

    Editor& editor_;
    UserDialogs& dialogs_;
    ViewObserver& view_;
    std::filesystem::path settingsDir_;
    std::string documentsDir_;
    bool writeSettings_;
    bool settingsFailureShown_ = false;
};

} // namespace sono
