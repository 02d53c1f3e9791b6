// The file commands of the editor: open, save, save as, new sound and the information texts.
#include <chrono>
#include <cstdio>
#include <ctime>

#include "editor/Editor.h"
#include "formats/WavWriter.h"
#include "support/Numbers.h"
#include "support/Progress.h"
#include "support/StatusTexts.h"

namespace sono {

namespace {
const char* const WaveFilter = "Wave-files (*.wav)|*.wav|All Files (*.*)|*.*";
const char* const WaveFilterDutch = "Wave-bestanden (*.wav)|*.wav|Alle Bestanden (*.*)|*.*";

std::string folderWithSeparator(const std::string& path) {
    size_t slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
    return folder + "/";
}

bool endsWith(const std::string& text, std::string_view tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string todayMonthDayYear() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[40];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d", local.tm_mon + 1, local.tm_mday,
                  local.tm_year + 1900);
    return text;
}
} // namespace

bool Editor::offerSaveFirst() {
    Answer answer = dialogs_.ask(MessageIcon::Question, ProgramCaption,
                                 LangText("Wilt u eerst het geluid dat u nu heeft opslaan?",
                                          "Do you first want to save the sound you have now?"));
    if (answer == Answer::Cancel) return false;
    // A save that did not happen (its dialog cancelled, or the file not written) cancels what
    // asked, so that the sound is not lost.
    return answer == Answer::No || saveToItsFile(ProgressSaving);
}

// ---------------------------------------------------------------- open

std::string Editor::dialogFolder() const {
    if (doc_.FileName.empty() || doc_.FileName == "*") return settings_.lastDir;
    return folderWithSeparator(doc_.FileName);
}

void Editor::rememberFolderOf(const std::string& path) {
    settings_.lastDir = folderWithSeparator(path);
    saveSettings();
}

void Editor::openFile() {
    for (;;) {
        auto chosen = dialogs_.chooseOpenPath(waveFileFilter(), dialogFolder());
        if (!chosen || chosen->empty()) return;
        std::error_code error;
        if (std::filesystem::exists(*chosen, error)) return openChosenFile(*chosen);
    }
}

void Editor::openChosenFile(const std::string& path) {
    rememberFolderOf(path);
    openWave(path, path);
}

void Editor::openRecentFile(int index) {
    const std::string path = settings_.recentFiles.at(size_t(index));
    openWave(path, path.substr(path.find_last_of('/') + 1));
}

void Editor::resetForReading() {
    for (int panel = 2; panel <= 4; ++panel)
        setStatus(panel, "");
    doc_.FileName.clear();
    doc_.RightSamples.assign(1, 0);
    history_.clear();
    setCaption(ProgramCaption);
    doc_.Info.clear();
    doc_.DispText.clear();
    view_.selectionChanged();
}

std::string Editor::failureText(const WavReadResult& read) const {
    switch (read.failure) {
    case WavFailure::NotWave:
        return LangText("Dit bestand is geen geldig wave-bestand.",
                        "This file is not a valid wave-file.");
    case WavFailure::NotPcm:
        return LangText(
            "Dit wave-bestand heeft een IBM-indeling. Dit programma ondersteunt alleen de "
            "(standaard) PCM-indeling.",
            "This wave-files has the IBM-format. This program only supports the "
            "(standard) PCM-format only.");
    case WavFailure::BadBitrate:
        return LangText(
            "Sonoplexer kan dit bestand niet openen, want de bitrate is niet 8, 16 of 24.",
            "Sonoplexer can't open this file, because the bitrate is not 8, 16 or 24.");
    case WavFailure::Corrupt:
        return LangText("Er zit een fout in dit wave-bestand.", "This wave-file is corrupt.");
    case WavFailure::UnsupportedBits:
        return LangText("Dit bestand is" + numberText(read.failedBits) +
                            "-bits. Dit programma ondersteunt alleen 8- of 16-bits.",
                        "This file is" + numberText(read.failedBits) +
                            "-bits. This program supports 8- and 16-bit only.");
    case WavFailure::NotMonoStereo:
        return LangText("Dit wave-bestand is niet mono of stereo.",
                        "This wave-file is not mono or stereo.");
    default:
        return LangText("Er is een onbekende fout opgetreden.", "An unknown problem has occured.");
    }
}

void Editor::reportFileLists(const std::string& path, const WavReadResult& read) {
    if (settings_.options.showInfo && !read.fileInfo.empty()) {
        std::string list;
        for (const FileInfoLine& line : read.fileInfo) {
            std::string label = "Label: ";
            if (auto known = infoLabel(line.id)) label = LangText(known->dutch, known->english);
            list += "\r" + label + latin1ToUtf8(line.text);
        }
        dialogs_.showMessage(MessageIcon::Information, path,
                             LangText("Informatie uit het bestand:", "Information from the file:") +
                                 list);
    }
    if (settings_.options.unknownChunks && !read.unknownChunks.empty()) {
        dialogs_.showMessage(
            MessageIcon::Information, path,
            LangText(
                "In dit WAV-bestand is informatie gevonden waar dit programma geen gebruik van "
                "maakt. Als u het geopende geluid opslaat, wordt deze informatie er dan ook niet "
                "bijgevoegd. Deze informatie is niet nodig om het geluid op te slaan. Er is dus "
                "niets aan de hand.",
                "In this WAV-file, information has been found that this program doesn't use. "
                "When you save this sound, the information will not be added to the file. This "
                "information is not needed to save the sound, so there is nothing wrong.") +
                "\r\r" + LangText("Beschrijving(en):", "Description(s):") +
                latin1ToUtf8(read.unknownChunks));
    }
}

bool Editor::openWave(std::string path, std::string displayName) {
    if (!doc_.FileName.empty() && doc_.Changed && !offerSaveFirst()) return false;
    std::error_code error;
    if (path.empty() || !std::filesystem::exists(path, error)) return false;
    view_.hideToolDialogs();
    stop();
    view_.setBusy(true);
    // Read before anything changes, so that a cancelled open leaves the sound as it was.
    progressStart(ProgressOpening);
    WavReadResult read =
        sampleWork([&] { return readWaveFile(path, [this](int step) { progressShow(step); }); });
    progressEnd();
    resetForReading();
    if (read.reducedFrom24)
        dialogs_.showMessage(
            MessageIcon::Information, path,
            LangText("De bitrate van dit bestand is 24. Sonoplexer opent het als een "
                     "16-bit bestand. Dit kan de kwaliteit iets minder goed maken.",
                     "The bitrate of this file is 24. Sonoplexer will open it as a "
                     "16-bit file. This might decrease the quality a little."));
    if (read.chunksWalked) reportFileLists(path, read);

    if (read.failure != WavFailure::None) {
        // No sound is loaded: an empty one in the format there was takes the old one's place, and
        // the panels that describe a sound stay as blank as during the read.
        installSound({doc_.Channels, doc_.SampleRate, doc_.BitsPerSample});
        for (int panel = 2; panel <= 4; ++panel)
            setStatus(panel, "");
        view_.setBusy(false);
        drawWaveform();
        setStatus(
            1, LangText("Het bestand kon niet worden geopend.", "The file could not be opened."));
        dialogs_.showMessage(MessageIcon::Critical, path, failureText(read));
        return false;
    }

    if (read.cutShort)
        dialogs_.showMessage(
            MessageIcon::Information, path,
            LangText("Dit bestand lijkt te zijn afgebroken: het is korter dan het zelf aangeeft. "
                     "Het geluid bevat wat er gelezen kon worden.",
                     "This file seems to have been cut short: it is shorter than it says it is. "
                     "The sound holds what could be read."));
    installSound(std::move(read.sound));
    doc_.Info = std::move(read.info);
    doc_.DispText = std::move(read.dispText);
    // A sound made in the program has no file yet: it is a change until it is saved.
    doc_.Changed = displayName == "*";

    setStatus(1, LangText("Het bestand is geopend.", "The file has been opened."));
    if (displayName != "*") rememberRecentFile(path);
    if (displayName == "*") {
        doc_.FileName = "*";
        setCaption(captionForUntitled(settings_.language));
    } else {
        doc_.FileName = path;
        setCaption(captionForFile(displayName));
    }
    selectNothing();
    drawWaveform();
    view_.setBusy(false);
    playAfterChange();
    return true;
}

// ---------------------------------------------------------------- save

bool Editor::saveToItsFile(int saveKind) {
    if (doc_.FileName.empty()) return false;
    // Save As comes back here with a name; a cancelled one leaves the sound as it is.
    if (doc_.FileName == "*") {
        saveAs();
        return doc_.FileName != "*";
    }
    return writeWave(doc_.FileName, saveKind);
}

bool Editor::writeWave(const std::string& path, int saveKind, WaveWrite how) {
    // The file holds an even number of frames: an odd sound gets a silent frame (value 0) first,
    // which it keeps only when the file was written. The coder's file gets it without the sound.
    const bool padded = doc_.SampleCount % 2 == 1 && !how.forCoder;
    auto lengthenBy = [this](int frames) {
        doc_.SampleCount += frames;
        doc_.LeftSamples.resize(size_t(doc_.SampleCount), 0);
        if (doc_.isStereo()) doc_.RightSamples.resize(size_t(doc_.SampleCount), 0);
        notifySoundChange(
            {doc_.SampleCount - 1, doc_.SampleCount - 1, true, doc_.isStereo(), true, false});
    };
    if (padded) lengthenBy(1);
    view_.setBusy(true);
    padOddTexts(doc_);

    const double frames = double(doc_.SampleCount + doc_.SampleCount % 2);
    const SampleWidthInFile width =
        how.forCoder ? SampleWidthInFile::Sixteen : SampleWidthInFile::AsHeld;
    progressStart(saveKind);
    WriteFailure failure = WriteFailure::None;
    try {
        failure = sampleWork([&] {
            return writeWaveFile(
                path, doc_, 0, frames, [this](int step) { progressShow(step); }, width);
        });
    } catch (const WorkCancelled&) {
        // The old file stays as it was; the sound loses the frame it got for the file.
        if (padded) lengthenBy(-1);
        throw;
    }
    const bool written = failure == WriteFailure::None;
    progressEnd(); // before any message, which would otherwise stand over a bar at its last step

    if (!written) {
        if (padded) lengthenBy(-1);
        setStatus(1, LangText("Het geluid is niet opgeslagen.", "The sound has not been saved."));
        dialogs_.showMessage(
            MessageIcon::Critical, path,
            LangText("Het geluid is niet opgeslagen wegens een onbekende fout.",
                     "The sound has not been saved caused by an unknown problem.") +
                writeFailureText(failure));
    } else if (!endsWith(path, ".tmp")) {
        doc_.Changed = false;
        setStatus(1, LangText("Het geluid is opgeslagen.", "The sound has been saved."));
    }
    view_.setBusy(false);
    return written;
}

std::string Editor::writeFailureText(WriteFailure failure) const {
    std::string why;
    switch (failure) {
    case WriteFailure::NoSpace:
        why =
            LangText("Er is geen ruimte meer op de schijf.", "There is no space left on the disk.");
        break;
    case WriteFailure::TooLarge:
        why = LangText("Het bestand zou groter worden dan is toegestaan.",
                       "The file would be larger than is allowed.");
        break;
    case WriteFailure::NoPermission:
        why = LangText("U mag hier niet schrijven, of het bestand of de schijf is alleen-lezen.",
                       "You may not write here, or the file or the disk is read-only.");
        break;
    case WriteFailure::NameTooLong:
        why = LangText("De naam van het bestand is te lang.", "The name of the file is too long.");
        break;
    case WriteFailure::NotRegular:
        why = LangText("Onder deze naam staat geen gewoon bestand, maar bijvoorbeeld een map.",
                       "This name belongs to something other than a plain file, such as a "
                       "folder.");
        break;
    default:
        return {};
    }
    return "\r\r" + why;
}

void Editor::save() {
    saveToItsFile(ProgressSaving);
}

std::string Editor::waveFileFilter() const {
    return LangText(WaveFilterDutch, WaveFilter);
}

void Editor::saveAs() {
    if (doc_.FileName.empty()) return;
    std::string path;
    for (;;) {
        auto chosen = dialogs_.chooseSavePath(waveFileFilter(), dialogFolder());
        if (!chosen || chosen->empty()) return;
        path = *chosen;
        settings_.lastDir = folderWithSeparator(path);
        saveSettings();
        std::error_code error;
        if (!std::filesystem::exists(path, error)) break;
        Answer answer = dialogs_.ask(MessageIcon::Information, ProgramCaption,
                                     LangText("Dit bestand bestaat al. Er overheen opslaan?",
                                              "This file already exists. Overwrite it?"));
        if (answer == Answer::Cancel) return;
        if (answer == Answer::Yes) break;
    }
    // A failed write leaves the sound under its old name, so nothing points at a missing file.
    std::string previousName = doc_.FileName;
    std::string previousCaption = caption_;
    doc_.FileName = path;
    setCaption(captionForFile(path));
    if (!saveToItsFile(ProgressSaving)) {
        doc_.FileName = previousName;
        setCaption(previousCaption);
        return;
    }
    rememberRecentFile(path);
}

// ---------------------------------------------------------------- new sound and texts

void Editor::newEmptySound() {
    stop();
    if (!doc_.FileName.empty() && (doc_.UndoLevel > 0 || doc_.Changed) && !offerSaveFirst()) return;
    installSound({1, doc_.SampleRate, doc_.BitsPerSample, 100, Samples(100, doc_.silenceValue()),
                  Samples{0}});
    doc_.FileName = "*";
    setCaption(captionForUntitled(settings_.language));
    history_.clear();
    doc_.Changed = false; // a silence has nothing to lose
    freshInfoFields();
    setStatus(1, LangText("Een nieuw geluid is aangemaakt.", "A new sound has been created."));
    selectNothing();
    drawWaveform();
}

void Editor::freshInfoFields() {
    doc_.Info.clear();
    doc_.DispText.clear();
    *doc_.Info.find("ICRD") = todayMonthDayYear();
    *doc_.Info.find("ISFT") = std::string(ProgramSignature);
}

bool Editor::setInfoText(std::string_view id, const std::string& text) {
    if (id == "DISP") {
        doc_.DispText = text;
        return true;
    }
    std::string* field = doc_.Info.find(id);
    if (!field) return false;
    *field = text;
    return true;
}

} // namespace sono
