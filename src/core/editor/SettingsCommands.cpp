// The options, the language and the recent files as the user changes them, each change kept in
// the settings folder at once.
#include "editor/SettingsCommands.h"

#include <algorithm>
#include <cctype>

#include "editor/Editor.h"
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

SettingsCommands::SettingsCommands(Editor& editor, UserDialogs& dialogs, ViewObserver& view,
                                   const EditorFolders& folders)
    : editor_(editor), dialogs_(dialogs), view_(view), settingsDir_(folders.settingsDir),
      documentsDir_(folders.documentsDir), writeSettings_(folders.writeSettings) {}

// ---------------------------------------------------------------- the settings folder

void SettingsCommands::loadSettings() {
    Settings& settings = editor_.settings();
    if (auto stored =
            readSettingsFile(settingsDir_ / "audio.dat", EchoHandleCount, EchoSameCheckCount)) {
        settings = *stored;
    } else {
        settings = Settings{};
        settings.lastDir = documentsDir_;
    }
}

void SettingsCommands::saveSettings() {
    if (!writeSettings_) return;
    std::error_code ignored;
    std::filesystem::create_directories(settingsDir_, ignored);
    Settings& settings = editor_.settings();
    CurveDialogState& curves = settings.curves;
    curves.echoHandleTops.resize(EchoHandleCount);
    curves.echoSameChecks.resize(EchoSameCheckCount);
    if (!writeSettingsFile(settingsDir_ / "audio.dat", settings)) reportSettingsNotWritten();
}

Quality SettingsCommands::readQuality() const {
    return readQualityFile(settingsDir_ / "quality.dat");
}

void SettingsCommands::saveQuality(const Quality& quality) {
    if (writeSettings_ && !writeQualityFile(settingsDir_ / "quality.dat", quality))
        reportSettingsNotWritten();
}

void SettingsCommands::reportSettingsNotWritten() {
    // Every option change writes the file again; one message is enough for a session.
    if (settingsFailureShown_) return;
    settingsFailureShown_ = true;
    dialogs_.showMessage(
        MessageIcon::Exclamation, ProgramCaption,
        editor_.LangText("De instellingen konden niet worden opgeslagen in de map ",
                         "The settings could not be saved in the folder ") +
            settingsDir_.string() + ".");
}

// ---------------------------------------------------------------- the commands

void SettingsCommands::switchLanguage(uint8_t language) {
    editor_.settings().language = language;
    saveSettings();
    // The tool dialogs take the new language's texts the next time they are shown.
    view_.hideToolDialogs();
    view_.languageChanged();
    editor_.status().setPanel(1, language == LanguageDutch ? "De taal is nu Nederlands."
                                                           : "The language is now English.");
    const Document& doc = editor_.doc();
    if (!editor_.status().panel(4).empty())
        editor_.status().setPanel(4, sizePanelText(doc, language));
    if (!editor_.status().panel(3).empty())
        editor_.status().setPanel(3, durationPanelText(doc, language));
}

void SettingsCommands::switchToDutch() {
    switchLanguage(LanguageDutch);
}
void SettingsCommands::switchToEnglish() {
    switchLanguage(LanguageEnglish);
}

void SettingsCommands::toggleOption(bool Options::*option) {
    Options& options = editor_.settings().options;
    options.*option = !(options.*option);
    saveSettings();
    view_.settingsChanged();
    // The options the views show take effect at once.
    if (option == &Options::bothChannels && editor_.doc().hasSelection())
        editor_.view().showSelection();
    if (option == &Options::showTime) editor_.view().drawWaveform();
}

void SettingsCommands::toggleZoom() {
    toggleOption(&Options::zoom);
    if (editor_.options().zoom && editor_.doc().SampleRate > 0)
        dialogs_.showMessage(
            MessageIcon::Information, editor_.LangText("Inzoomen", "Zoom"),
            editor_.LangText(
                "Als een geluid langer duurt dan twee seconden, ziet u slechts twee seconden "
                "van het geluid. U kunt dan scrollen.",
                "When the sound is longer than two seconds, you will only see two seconds. "
                "Then you can scroll."));
    editor_.view().drawWaveform();
}

// ---------------------------------------------------------------- recent files

void SettingsCommands::rememberRecentFile(const std::string& path) {
    auto& recent = editor_.settings().recentFiles;
    std::string oldest = recent[4];
    std::move_backward(recent.begin(), recent.begin() + 4, recent.end());
    recent[0] = path;
    tidyRecentFiles();
    if (recent[4].empty()) {
        recent[4] = oldest;
        tidyRecentFiles();
    }
}

void SettingsCommands::tidyRecentFiles() {
    auto& recent = editor_.settings().recentFiles;
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

} // namespace sono
