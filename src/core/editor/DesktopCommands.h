#pragma once
// The commands that reach the desktop: the WAV file association (kept in the settings folder's
// store, which the desktop then follows), help, the program's page, the sibling player and the
// about box with the hidden item it brings out. Without a desktop (a batch run) they do nothing.
#include <filesystem>

#include "ports/Desktop.h"
#include "ports/UserDialogs.h"
#include "settings/ClassesRoot.h"

namespace sono {

class Editor;

class DesktopCommands {
  public:
    DesktopCommands(Editor& editor, UserDialogs& dialogs, Desktop* desktop,
                    const std::filesystem::path& settingsDir);

    // Create and Remove File Association.
    void createAssociation();
    void removeAssociation();
    // Whether WAV files open in this editor by the store (never without a desktop).
    bool associationPresent() const;
    bool hasDesktop() const { return desktop_ != nullptr; }
    // The manual in the current language, the program's page, the sibling player with the
    // sound's file.
    void showHelp();
    void openWebsite();
    void startPlayer();
    // The about box; the third time in a run also brings out the hidden Help item.
    void showAbout();
    bool snailShown() const;
    void showSnail();

  private:
    Editor& editor_;
    UserDialogs& dialogs_;
    Desktop* desktop_;
    std::filesystem::path settingsDir_;
    // Reading the store still records the result of the call, so a const question may ask it.
    mutable ClassesRoot store_;
    int aboutCount_ = 0;
};

} // namespace sono
