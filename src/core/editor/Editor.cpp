#include "editor/Editor.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "editing/ClipFile.h"
#include "support/Numbers.h"
#include "support/Progress.h"
#include "support/StatusTexts.h"
#include "support/Texts.h"

namespace sono {

namespace {
constexpr size_t EchoHandleCount = 6;
constexpr size_t EchoSameCheckCount = 3;

std::string upper(std::string text) {
    for (char& c : text)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}
} // namespace

Editor::Editor(EditorPorts ports, EditorFolders folders)
    : dialogs_(ports.dialogs), view_(ports.view), folders_(std::move(folders)),
      history_(*this, ports.dialogs, ports.view, folders_.tempDir,
               std::move(ports.availableMemory)),
      desktopCommands_(*this, ports.dialogs, ports.desktop, folders_.settingsDir),
      transport_(ports.device, ports.dialogs, settings_),
      generators_(*this, ports.dialogs, ports.view, folders_.settingsDir, folders_.shareDir),
      mp3Commands_(*this, ports.dialogs, ports.view, ports.coder, ports.tags),
      effectCommands_(*this, ports.dialogs, ports.view),
      soundFiles_(*this, ports.dialogs, ports.view),
      editCommands_(*this, ports.dialogs, ports.view, folders_.tempDir),
      playbackCommands_(*this, transport_, folders_.tempDir, folders_.playsSound),
      workRunner_(ports.workRunner) {}

// ---------------------------------------------------------------- commands

bool Editor::runCommand(std::string_view id, const Arguments& arguments) {
    const Command* command = findCommand(id);
    if (!command || !command->run) return false;
    if (runExclusive([&] { runCancellable([&] { command->run(*this, arguments); }); })) return true;
    setStatus(1, LangText("De opdracht is niet uitgevoerd, want er loopt nog een andere.",
                          "The command has not been carried out, because another one is still "
                          "running."));
    return false;
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
    if (auto stored = readSettingsFile(folders_.settingsDir / "audio.dat", EchoHandleCount,
                                       EchoSameCheckCount)) {
        settings_ = *stored;
    } else {
        settings_ = Settings{};
        settings_.lastDir = folders_.documentsDir;
    }
    // tidyRecentFiles below writes the options file, so it is not written here as well.
    std::error_code ignored;
    std::filesystem::remove(clipFilePath(folders_.tempDir), ignored);
    if (settings_.language == LanguageEnglish)
        switchToEnglish();
    else if (settings_.language == LanguageDutch)
        switchToDutch();
    tidyRecentFiles();
    setStatus(1, LangText("Welkom bij Sonoplexer.", "Welcome to Sonoplexer."));
    Quality quality = readQualityFile(folders_.settingsDir / "quality.dat");
    doc_.BitsPerSample = quality.bitsPerSample;
    doc_.SampleRate = quality.sampleRate;
    selectNothing();
    view_.settingsChanged();
}

bool Editor::shutDown() {
    if (!doc_.FileName.empty() && doc_.Changed && !soundFiles_.offerSaveFirst()) return false;
    setStatus(1, LangText("Tot ziens!", "Bye bye!"));
    transport_.stopPlaying();
    saveSettings();
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
    if (folders_.writeSettings && !writeQualityFile(folders_.settingsDir / "quality.dat",
                                                    {doc_.BitsPerSample, doc_.SampleRate}))
        reportSettingsNotWritten();
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

// ---------------------------------------------------------------- texts and status

void Editor::setStatus(int panel, const std::string& text) {
    panels_.at(panel) = text;
    view_.statusChanged(panel, text);
}

void Editor::refreshStatusPanels() {
    setStatus(2, formatPanelText(doc_));
    setStatus(3, durationPanelText(doc_, settings_.language));
    setStatus(4, sizePanelText(doc_, settings_.language));
}

void Editor::setCaption(const std::string& caption) {
    caption_ = caption;
    view_.captionChanged(caption);
}

// ---------------------------------------------------------------- options and settings

void Editor::saveSettings() {
    if (!folders_.writeSettings) return;
    std::error_code ignored;
    std::filesystem::create_directories(folders_.settingsDir, ignored);
    CurveDialogState& curves = settings_.curves;
    curves.echoHandleTops.resize(EchoHandleCount);
    curves.echoSameChecks.resize(EchoSameCheckCount);
    if (!writeSettingsFile(folders_.settingsDir / "audio.dat", settings_))
        reportSettingsNotWritten();
}

void Editor::reportSettingsNotWritten() {
    // Every option change writes the file again; one message is enough for a session.
    if (settingsFailureShown_) return;
    settingsFailureShown_ = true;
    dialogs_.showMessage(MessageIcon::Exclamation, ProgramCaption,
                         LangText("De instellingen konden niet worden opgeslagen in de map ",
                                  "The settings could not be saved in the folder ") +
                             folders_.settingsDir.string() + ".");
}

void Editor::switchLanguage(uint8_t language) {
    settings_.language = language;
    saveSettings();
    // The tool dialogs take the new language's texts the next time they are shown.
    view_.hideToolDialogs();
    view_.languageChanged();
    setStatus(1, language == LanguageDutch ? "De taal is nu Nederlands."
                                           : "The language is now English.");
    if (!panels_[4].empty()) setStatus(4, sizePanelText(doc_, language));
    if (!panels_[3].empty()) setStatus(3, durationPanelText(doc_, language));
}

void Editor::switchToDutch() {
    switchLanguage(LanguageDutch);
}
void Editor::switchToEnglish() {
    switchLanguage(LanguageEnglish);
}

void Editor::toggleOption(bool Options::*option) {
    settings_.options.*option = !(settings_.options.*option);
    saveSettings();
    view_.settingsChanged();
    // The options the views show take effect at once.
    if (option == &Options::bothChannels && doc_.hasSelection()) showSelection();
    if (option == &Options::showTime) drawWaveform();
}

void Editor::toggleZoom() {
    toggleOption(&Options::zoom);
    if (settings_.options.zoom && doc_.SampleRate > 0)
        dialogs_.showMessage(
            MessageIcon::Information, LangText("Inzoomen", "Zoom"),
            LangText("Als een geluid langer duurt dan twee seconden, ziet u slechts twee seconden "
                     "van het geluid. U kunt dan scrollen.",
                     "When the sound is longer than two seconds, you will only see two seconds. "
                     "Then you can scroll."));
    drawWaveform();
}

void Editor::chooseGraphStyle(int style) {
    settings_.options.graphStyle = style;
    saveSettings();
    view_.settingsChanged();
    drawWaveform();
}

void Editor::saveGraphic() {
    if (doc_.FileName.empty()) return;
    auto path = dialogs_.chooseSavePath(LangText("Bitmaps (*.bmp)|*.bmp|Alle Bestanden (*.*)|*.*",
                                                 "Bitmaps (*.bmp)|*.bmp|All Files(*.*)|*.*"),
                                        soundFiles_.dialogFolder());
    if (!path || path->empty() || !view_.saveGraphic(*path)) return;
    const std::string text = LangText("De grafiek is opgeslagen als een BMP-bestand.",
                                      "The graphic has been saved as a BMP-file.");
    setStatus(1, text);
    dialogs_.showMessage(MessageIcon::Information, ProgramCaption, text);
}
void Editor::zoomToSelection() {
    if (!doc_.hasSelection()) return;
    const Selection& selection = doc_.selection;
    view_.showFrames(std::min(selection.SelStart, selection.SelEnd),
                     std::max(selection.SelStart, selection.SelEnd));
}

void Editor::zoomToWholeSound() {
    view_.showWholeSound();
}

void Editor::rememberRecentFile(const std::string& path) {
    auto& recent = settings_.recentFiles;
    std::string oldest = recent[4];
    std::move_backward(recent.begin(), recent.begin() + 4, recent.end());
    recent[0] = path;
    tidyRecentFiles();
    if (recent[4].empty()) {
        recent[4] = oldest;
        tidyRecentFiles();
    }
}

void Editor::tidyRecentFiles() {
    auto& recent = settings_.recentFiles;
    auto removeAt = [&](size_t i) {
        std::move(recent.begin() + i + 1, recent.end(), recent.begin() + i);
        recent[4].clear();
    };
    for (int pass = 0; pass < 4; ++pass) {
        for (size_t i = 0; i < recent.size(); ++i) {
            std::error_code error;
            bool missing = recent[i].empty() || !std::filesystem::exists(recent[i], error);
            bool repeated = false;
            for (size_t j = 0; j < i && !missing; ++j)
                repeated = repeated || upper(recent[j]) == upper(recent[i]);
            if (missing || repeated) removeAt(i);
        }
    }
    view_.settingsChanged();
    saveSettings();
}

// ---------------------------------------------------------------- view side of the document

void Editor::drawWaveform() {
    size_t frames = size_t(std::max(doc_.SampleCount, 0));
    doc_.LeftSamples.resize(std::max<size_t>(frames, 1), 0);
    if (doc_.isStereo()) doc_.RightSamples.resize(std::max<size_t>(frames, 1), 0);
    // The views need at least 100 frames; a shorter sound gets silence at its end.
    if (doc_.SampleCount < 100) {
        int16_t silence = doc_.silenceValue();
        doc_.LeftSamples.resize(100, silence);
        std::fill(doc_.LeftSamples.begin() + frames, doc_.LeftSamples.end(), silence);
        if (doc_.isStereo()) {
            doc_.RightSamples.resize(100, silence);
            std::fill(doc_.RightSamples.begin() + frames, doc_.RightSamples.end(), silence);
        }
        doc_.SampleCount = 100;
        notifySoundChange({int64_t(frames), 99, true, doc_.isStereo(), true, false});
    }
    showSelection();
}

void Editor::showSelection() {
    Selection& selection = doc_.selection;
    if (selection.exists()) {
        selection.SelStart = roundHalfEven(selection.SelStart + 0.5);
        selection.SelEnd = roundHalfEven(selection.SelEnd + 0.5);
    }
    if (selection.SelEnd > doc_.SampleCount - 1) selection.SelEnd = doc_.SampleCount - 1;
    // Rounding can push a selection on the last frame past its end, leaving it to end before it
    // starts: that selects nothing. While the button is down such a press is still the anchor
    // of the drag.
    if (!dragging_ && selection.exists() && selection.SelEnd < selection.SelStart)
        selection.SelStart = -1;
    view_.selectionChanged();
}

void Editor::selectAll() {
    doc_.selection.SelEnd = doc_.SampleCount - 1;
    doc_.selection.SelStart = 0;
    if (!settings_.options.bothChannels)
        toggleOption(&Options::bothChannels);
    else
        showSelection();
}

void Editor::selectNothing() {
    if (doc_.FileName.empty()) return;
    doc_.selection.clear();
    showSelection();
}

// ---------------------------------------------------------------- the sound as a whole

void Editor::notifySoundChange(const SoundChange& change) {
    view_.soundChanged(change);
}

void Editor::refreshLengthPanels() {
    setStatus(3, durationPanelText(doc_, settings_.language));
    setStatus(4, sizePanelText(doc_, settings_.language));
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
    refreshStatusPanels();
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
