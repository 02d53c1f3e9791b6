#include "Editor.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "document/Numbers.h"
#include "document/Progress.h"
#include "document/StatusTexts.h"
#include "document/Texts.h"

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

Editor::Editor(EditorHost& host, EditorFolders folders)
    : host_(host), folders_(std::move(folders)) {}

std::string Editor::LangText(std::string_view dutch, std::string_view english) const {
    return sono::LangText(settings_.language, dutch, english);
}

// ---------------------------------------------------------------- life of the program

void Editor::startUp() {
    doc_.Changed = false;
    doc_.SelChannel = 1;
    doc_.SelStart = doc_.SelEnd = -1;
    ClearUndo();
    if (auto stored = readSettingsFile(folders_.settingsDir / "audio.dat", EchoHandleCount,
                                       EchoSameCheckCount)) {
        settings_ = *stored;
    } else {
        settings_ = Settings{};
        settings_.lastDir = folders_.documentsDir;
    }
    // TidyRecent below writes the options file, so it is not written here as well.
    std::error_code ignored;
    std::filesystem::remove(folders_.tempDir / "%$&©®.dat", ignored);
    if (settings_.language == LanguageEnglish)
        MMeng();
    else if (settings_.language == LanguageDutch)
        MMned();
    TidyRecent();
    setStatus(1, LangText("Welkom bij Sonoplexer.", "Welcome to Sonoplexer."));
    Quality quality = readQualityFile(folders_.settingsDir / "quality.dat");
    doc_.BitsPerSample = quality.bitsPerSample;
    doc_.SampleRate = quality.sampleRate;
    MMNiets();
    host_.settingsChanged();
}

bool Editor::shutDown() {
    if (!doc_.FileName.empty() && doc_.Changed && !offerSaveFirst()) return false;
    setStatus(1, LangText("Tot ziens!", "Bye bye!"));
    host_.stopPlayback();
    SaveSettings();
    std::error_code ignored;
    for (int i = 0;; ++i) {
        auto playbackFile = folders_.tempDir / ("sonoplexer" + numberText(double(i)) + "$.tmp");
        if (!std::filesystem::exists(playbackFile, ignored)) break;
        std::filesystem::remove(playbackFile, ignored);
    }
    ClearUndo();
    std::filesystem::remove(folders_.tempDir / "%$&©®.dat", ignored);
    doc_.LeftSamples.assign(1, 0);
    doc_.RightSamples.assign(1, 0);
    if (folders_.writeSettings)
        writeQualityFile(folders_.settingsDir / "quality.dat",
                         {doc_.BitsPerSample, doc_.SampleRate});
    return true;
}

// ---------------------------------------------------------------- texts and status

void Editor::setStatus(int panel, const std::string& text) {
    panels_.at(panel) = text;
    host_.statusChanged(panel, text);
}

void Editor::RefreshStatusPanels() {
    setStatus(2, formatPanelText(doc_));
    setStatus(3, durationPanelText(doc_, settings_.language));
    setStatus(4, sizePanelText(doc_, settings_.language));
}

void Editor::setCaption(const std::string& caption) {
    caption_ = caption;
    host_.captionChanged(caption);
}

void Editor::ProgressStart(int kind) {
    if (kind >= 0 && kind <= 6) progressText_ = progressKindText(kind, settings_.language);
    host_.progressStarted(progressText_);
}

void Editor::ProgressShow(int step) {
    host_.progressShown(step, progressText_ + numberText(double(step)) + " %");
}

void Editor::ProgressEnd() {
    host_.progressEnded();
}

// ---------------------------------------------------------------- options and settings

void Editor::SaveSettings() {
    if (!folders_.writeSettings) return;
    std::error_code ignored;
    std::filesystem::create_directories(folders_.settingsDir, ignored);
    CurveDialogState& curves = settings_.curves;
    curves.echoHandleTops.resize(EchoHandleCount);
    curves.echoSameChecks.resize(EchoSameCheckCount);
    writeSettingsFile(folders_.settingsDir / "audio.dat", settings_);
}

void Editor::switchLanguage(uint8_t language) {
    settings_.language = language;
    SaveSettings();
    host_.languageChanged();
    setStatus(1, language == LanguageDutch ? "De taal is nu Nederlands."
                                           : "The language is now English.");
    if (!panels_[4].empty()) setStatus(4, sizePanelText(doc_, language));
    if (!panels_[3].empty()) setStatus(3, durationPanelText(doc_, language));
}

void Editor::MMned() {
    switchLanguage(LanguageDutch);
}
void Editor::MMeng() {
    switchLanguage(LanguageEnglish);
}

void Editor::toggle(bool Options::*option) {
    settings_.options.*option = !(settings_.options.*option);
    SaveSettings();
    host_.settingsChanged();
}

void Editor::MMbeide() {
    toggle(&Options::bothChannels);
    if (doc_.SelStart >= 0) ShowSelection();
}
void Editor::MMluister() {
    toggle(&Options::listenAfterChange);
}
void Editor::MMmetertje() {
    toggle(&Options::realTimeVolume);
}
void Editor::MMonbekend() {
    toggle(&Options::unknownChunks);
}
void Editor::MMtoonInfo() {
    toggle(&Options::showInfo);
}
void Editor::MMzoom() {
    toggle(&Options::zoom);
    DrawWaveform();
}
void Editor::MMtijdAangeven() {
    toggle(&Options::showTime);
    DrawWaveform();
}

void Editor::SaveRecent(const std::string& path) {
    auto& recent = settings_.recentFiles;
    std::string oldest = recent[4];
    std::move_backward(recent.begin(), recent.begin() + 4, recent.end());
    recent[0] = path;
    TidyRecent();
    if (recent[4].empty()) {
        recent[4] = oldest;
        TidyRecent();
    }
}

void Editor::TidyRecent() {
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
    host_.settingsChanged();
    SaveSettings();
}

// ---------------------------------------------------------------- view side of the document

void Editor::DrawWaveform() {
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
    }
    host_.waveformChanged();
    ShowSelection();
}

void Editor::ShowSelection() {
    if (doc_.SelStart >= 0) {
        doc_.SelStart = float(roundHalfEven(double(doc_.SelStart) + 0.5));
        doc_.SelEnd = float(roundHalfEven(double(doc_.SelEnd) + 0.5));
    }
    if (doc_.SelEnd > doc_.SampleCount - 1) doc_.SelEnd = float(doc_.SampleCount - 1);
    host_.selectionChanged();
}

void Editor::MMAlles() {
    doc_.SelEnd = float(doc_.SampleCount - 1);
    doc_.SelStart = 0;
    if (!settings_.options.bothChannels)
        MMbeide();
    else
        ShowSelection();
}

void Editor::MMNiets() {
    if (doc_.FileName.empty()) return;
    doc_.SelStart = doc_.SelEnd = -1;
    ShowSelection();
}

} // namespace sono
