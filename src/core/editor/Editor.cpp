#include "editor/Editor.h"

#include "editing/ClipFile.h"
#include "support/Numbers.h"
#include "support/StatusTexts.h"
#include "support/Texts.h"

namespace sono {

Editor::Editor(EditorPorts ports, EditorFolders folders)
    : dialogs_(ports.dialogs), view_(ports.view), folders_(std::move(folders)),
      history_(*this, ports.dialogs, ports.view, folders_.tempDir,
               std::move(ports.availableMemory)),
      desktopCommands_(*this, ports.dialogs, ports.desktop, folders_.settingsDir),
      settingsCommands_(*this, ports.dialogs, ports.view, folders_),
      viewCommands_(*this, ports.dialogs, ports.view),
      transport_(ports.device, ports.dialogs, settings_),
      generators_(*this, ports.dialogs, ports.view, folders_.settingsDir, folders_.shareDir),
      mp3Commands_(*this, ports.dialogs, ports.view, ports.coder, ports.tags),
      effectCommands_(*this, ports.dialogs, ports.view),
      soundFiles_(*this, ports.dialogs, ports.view),
      editCommands_(*this, ports.dialogs, ports.view, folders_.tempDir),
      playbackCommands_(*this, transport_, folders_.tempDir, folders_.playsSound),
      status_(ports.view, doc_, settings_), longWork_(ports.view, ports.workRunner, settings_) {}

// ---------------------------------------------------------------- commands

bool Editor::runCommand(std::string_view id, const Arguments& arguments) {
    const Command* command = findCommand(id);
    if (!command || !command->run) return false;
    const auto runCancellable = [&] {
        const BeforeCommand before{doc_.UndoLevel, doc_.RedoLevel, doc_.Changed, doc_.selection};
        const bool cancelled = longWork_.runCancellable([&] { command->run(*this, arguments); },
                                                        [&] { putBackCancelled(before); });
        history_.commandEnded(cancelled);
    };
    if (runExclusive(runCancellable)) return true;
    status_.setPanel(1,
                     LangText("De opdracht is niet uitgevoerd, want er loopt nog een andere.",
                              "The command has not been carried out, because another one is still "
                              "running."));
    return false;
}

void Editor::putBackCancelled(const BeforeCommand& before) {
    longWork_.progressEnd();
    view_.setBusy(false);
    // The snapshot the command took before it changed anything holds the sound as it was.
    if (doc_.UndoLevel > before.undoLevel && history_.dropLast()) {
        doc_.RedoLevel = before.redoLevel;
        notifySoundChange({0, int64_t(doc_.SampleCount) - 1, true, doc_.isStereo(), true, false});
        status_.refreshLengthPanels();
    }
    doc_.Changed = before.changed;
    doc_.selection = before.selection;
    viewCommands_.drawWaveform();
    view_.selectionChanged();
    status_.setPanel(1, LangText("Geannuleerd.", "Cancelled."));
}

bool Editor::enabled(EnabledRule rule) const {
    const bool loaded = !doc_.FileName.empty();
    switch (rule) {
    case EnabledRule::Always:
        return true;
    case EnabledRule::SoundLoaded:
        return loaded;
    case EnabledRule::SelectionMade:
        return loaded && doc_.hasSelection();
    case EnabledRule::ClipAvailable: {
        std::error_code error;
        return loaded && std::filesystem::exists(clipFilePath(folders_.tempDir), error);
    }
    case EnabledRule::UndoAvailable:
        return loaded && doc_.UndoLevel != 0;
    case EnabledRule::RedoAvailable:
        return loaded && doc_.RedoLevel > doc_.UndoLevel;
    case EnabledRule::SoundPlaying:
        return transport_.recording() || transport_.devicePlaying();
    case EnabledRule::SoundSeekable:
        return transport_.devicePlaying() && !transport_.recording();
    case EnabledRule::AssociationAbsent:
        return desktopCommands_.hasDesktop() && !desktopCommands_.associationPresent();
    case EnabledRule::AssociationPresent:
        return desktopCommands_.associationPresent();
    }
    return false;
}

std::string Editor::LangText(std::string_view dutch, std::string_view english) const {
    return sono::LangText(settings_.language, dutch, english);
}

// ---------------------------------------------------------------- life of the program

void Editor::startUp() {
    doc_.Changed = false;
    doc_.selection = Selection{};
    history_.clear();
    settingsCommands_.loadSettings();
    // tidyRecentFiles below writes the options file, so it is not written here as well.
    std::error_code ignored;
    std::filesystem::remove(clipFilePath(folders_.tempDir), ignored);
    if (settings_.language == LanguageEnglish)
        settingsCommands_.switchToEnglish();
    else if (settings_.language == LanguageDutch)
        settingsCommands_.switchToDutch();
    settingsCommands_.tidyRecentFiles();
    status_.setPanel(1, LangText("Welkom bij Sonoplexer.", "Welcome to Sonoplexer."));
    Quality quality = settingsCommands_.readQuality();
    doc_.BitsPerSample = quality.bitsPerSample;
    doc_.SampleRate = quality.sampleRate;
    viewCommands_.selectNothing();
    view_.settingsChanged();
}

bool Editor::shutDown() {
    if (!doc_.FileName.empty() && doc_.Changed && !soundFiles_.offerSaveFirst()) return false;
    status_.setPanel(1, LangText("Tot ziens!", "Bye bye!"));
    transport_.stopPlaying();
    settingsCommands_.saveSettings();
    playbackCommands_.stop();
    std::error_code ignored;
    for (int i = 0;; ++i) {
        auto playbackFile = folders_.tempDir / ("sonoplexer" + numberText(double(i)) + "$.tmp");
        if (!std::filesystem::exists(std::filesystem::symlink_status(playbackFile, ignored))) break;
        std::filesystem::remove(playbackFile, ignored);
    }
    history_.clear();
    std::filesystem::remove(clipFilePath(folders_.tempDir), ignored);
    doc_.LeftSamples.assign(1, 0);
    doc_.RightSamples.assign(1, 0);
    settingsCommands_.saveQuality({doc_.BitsPerSample, doc_.SampleRate});
    return true;
}

void Editor::greet(int month, int day) {
    std::string greeting;
    if (month == 12 && (day == 25 || day == 26))
        greeting = LangText("Vrolijk Kerstfeest!", "Merry Christmas!");
    else if (month == 1 && day == 1)
        greeting = LangText("Gelukkig nieuwjaar!", "Happy new year!");
    if (!greeting.empty()) dialogs_.showMessage(MessageIcon::Exclamation, ProgramCaption, greeting);
}

void Editor::closeProgram() {
    if (shutDown()) view_.programClosed();
}

// ---------------------------------------------------------------- the sound as a whole

void Editor::notifySoundChange(const SoundChange& change) {
    view_.soundChanged(change);
}

ChannelScope Editor::editChannels() const {
    return doc_.selection.channels(doc_.isStereo(), settings_.options.bothChannels);
}

void Editor::installSound(NewSound sound) {
    const bool lengthChanged = sound.SampleCount != doc_.SampleCount;
    const bool formatChanged = sound.format() != doc_.format();
    doc_.format() = sound.format();
    doc_.SampleCount = sound.SampleCount;
    doc_.LeftSamples = std::move(sound.LeftSamples);
    doc_.RightSamples = std::move(sound.RightSamples);
    status_.refreshPanels();
    transport_.levelMeterChannel = meterChannelOf(doc_);
    notifySoundChange(
        {0, int64_t(doc_.SampleCount) - 1, true, doc_.isStereo(), lengthChanged, formatChanged});
}

void Editor::refuseTooLong() {
    dialogs_.showMessage(MessageIcon::Exclamation, ProgramCaption,
                         LangText("Het geluid zou hierdoor te lang worden. Er is niets veranderd.",
                                  "This would make the sound too long. Nothing has been changed."));
}

} // namespace sono
