#pragma once
// The editor: owns the one document, the selection, the options and the work files, and the parts
// that carry out the commands (edits, effects, files, playback, undo history ...), each with the
// state it needs. It reaches the outside only through the ports (questions, the view, the sound
// device, outside programs), so the window, the batch runner and the tests drive exactly the same
// code. Commands reach it through runCommand, which lets one command run at a time.
#include <filesystem>
#include <functional>
#include <string>

#include "document/Document.h"
#include "document/NewSound.h"
#include "editor/Commands.h"
#include "editor/DesktopCommands.h"
#include "editor/EditCommands.h"
#include "editor/EffectCommands.h"
#include "editor/Generators.h"
#include "editor/LongWork.h"
#include "editor/Mp3Commands.h"
#include "editor/PlaybackCommands.h"
#include "editor/SettingsCommands.h"
#include "editor/SoundFiles.h"
#include "editor/StatusBar.h"
#include "editor/Transport.h"
#include "editor/UndoHistory.h"
#include "editor/ViewCommands.h"
#include "ports/Desktop.h"
#include "ports/ExternalCoder.h"
#include "ports/Mp3Tags.h"
#include "ports/UserDialogs.h"
#include "ports/ViewObserver.h"
#include "ports/WaveDevice.h"
#include "ports/WorkRunner.h"
#include "settings/ClassesRoot.h"
#include "settings/Settings.h"
#include "transport/LevelMeter.h"

namespace sono {

struct EditorFolders {
    std::filesystem::path settingsDir; // audio.dat, quality.dat
    std::filesystem::path tempDir;     // private work files
    std::string documentsDir;          // where the file dialogs start on a first run
    bool writeSettings = true;         // the batch runner reads the options but may not write them
    bool playsSound = true;            // the batch runner makes no sound: no play after changes
    std::filesystem::path shareDir = {}; // AppDir: the shipped files (the period files among them)
};

struct EditorPorts {
    UserDialogs& dialogs;
    ViewObserver& view;
    WaveDevice& device;
    ExternalCoder& coder;
    Mp3Tags& tags;
    Desktop* desktop = nullptr; // none in a batch run: the desktop commands do nothing
    // The memory the system can still give, in bytes: undo snapshots are kept in memory only
    // while they leave most of it free.
    std::function<size_t()> availableMemory = availableMemoryBytes;
    // None: long work runs at once on the caller's thread.
    WorkRunner* workRunner = nullptr;
};

class Editor {
  public:
    Editor(EditorPorts ports, EditorFolders folders);

    // ---- commands ----
    // Runs a command of the table with its parameters. False, with nothing done but saying so in
    // panel 1, while another command is still running (a timer or a queued signal met during a
    // question box or long work).
    // A command cancelled in its long work leaves the sound, the selection, the undo list and the
    // changed mark as they were, and says so in panel 1.
    bool runCommand(std::string_view id, const Arguments& arguments = {});
    // Runs other work that changes the document (a pointer gesture) under the same rule.
    template <class Work> bool runExclusive(Work&& work);
    bool commandRunning() const { return commandRunning_; }
    // Whether the command state allows commands of that rule now.
    bool enabled(EnabledRule rule) const;

    // ---- life of the program ----
    void startUp();
    // The closing steps; false when the user cancelled the save-first question.
    bool shutDown();
    // Close: the closing steps, then the window goes away.
    void closeProgram();
    // The greetings of the start, on their dates (month 1..12, day 1..31).
    void greet(int month, int day);

    // ---- document, texts, status ----
    Document& doc() { return doc_; }
    const Document& doc() const { return doc_; }
    uint8_t language() const { return settings_.language; }
    std::string LangText(std::string_view dutch, std::string_view english) const;
    // The caption and the status bar's panels.
    StatusBar& status() { return status_; }

    // ---- long work ----
    // The progress bar, the sample work on the work runner, Cancel.
    LongWork& work() { return longWork_; }

    // ---- options and settings ----
    Settings& settings() { return settings_; }
    const Options& options() const { return settings_.options; }
    // The options and the language as the user changes them, the recent files, the settings
    // folder.
    SettingsCommands& preferences() { return settingsCommands_; }

    // ---- files ----
    SoundFiles& files() { return soundFiles_; }

    // ---- the document's own ----
    void newEmptySound();
    // The information dialog's OK for one field (an INFO id or "DISP"); false for an unknown id.
    bool setInfoText(std::string_view id, const std::string& text);

    // ---- MP3 exchange ----
    Mp3Commands& mp3() { return mp3Commands_; }

    // ---- desktop ----
    DesktopCommands& desktop() { return desktopCommands_; }

    // ---- view side of the document ----
    // What the views draw and show, the graph style, the selection as the user makes it.
    ViewCommands& view() { return viewCommands_; }

    // ---- transport ----
    // Play, Stop (the one way to stop whatever plays or records), Record, the mark keys.
    PlaybackCommands& playback() { return playbackCommands_; }
    // The device: what plays, the recording under way, the level display's channel.
    Transport& transport() { return transport_; }

    // ---- undo history ----
    UndoHistory& history() { return history_; }

    // ---- selection edits and paste ----
    EditCommands& edits() { return editCommands_; }

    // ---- effects ----
    EffectCommands& effects() { return effectCommands_; }

    // ---- generators ----
    Generators& generators() { return generators_; }

    // ---- for the parts the editor owns ----
    // The fields of a new sound: all empty but the creation date (today) and the software.
    void freshInfoFields();
    // Puts a whole sound in place of the current one: format, samples, panels 2 to 4 and the
    // level meter's channel, with a notice that everything changed.
    void installSound(NewSound sound);
    // The message that a sound would become longer than the longest there can be.
    void refuseTooLong();
    // The one place that tells the view which samples changed.
    void notifySoundChange(const SoundChange& change);
    // The channels an edit or effect works on, by the selection and the both-channels option.
    ChannelScope editChannels() const;

  private:
    class Exclusive; // holds the one-command-at-a-time rule for its lifetime

    // What a cancelled command puts back.
    struct BeforeCommand {
        int16_t undoLevel, redoLevel;
        bool changed;
        Selection selection;
    };
    void putBackCancelled(const BeforeCommand& before);

    UserDialogs& dialogs_;
    ViewObserver& view_;
    EditorFolders folders_;
    UndoHistory history_;
    DesktopCommands desktopCommands_;
    Document doc_;
    Settings settings_;
    SettingsCommands settingsCommands_;
    ViewCommands viewCommands_;
    Transport transport_;
    Generators generators_;
    Mp3Commands mp3Commands_;
    EffectCommands effectCommands_;
    SoundFiles soundFiles_;
    EditCommands editCommands_;
    PlaybackCommands playbackCommands_;
    StatusBar status_;
    LongWork longWork_;
    bool commandRunning_ = false;
};

class Editor::Exclusive {
  public:
    explicit Exclusive(Editor& editor) : editor_(editor), taken_(!editor.commandRunning_) {
        editor_.commandRunning_ = true;
    }
    ~Exclusive() {
        if (taken_) editor_.commandRunning_ = false;
    }
    Exclusive(const Exclusive&) = delete;
    Exclusive& operator=(const Exclusive&) = delete;
    bool taken() const { return taken_; }

  private:
    Editor& editor_;
    bool taken_;
};

template <class Work> bool Editor::runExclusive(Work&& work) {
    Exclusive exclusive(*this);
    if (!exclusive.taken()) return false;
    work();
    return true;
}

} // namespace sono
