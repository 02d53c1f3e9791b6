// Opening and saving the sound's WAV files, and the folder the file dialogs open in.
#include "editor/SoundFiles.h"

#include <filesystem>

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

// Why a file was not written, in both languages; a failure not listed has no reason to give.
struct WriteFailureReason {
    WriteFailure failure;
    const char* dutch;
    const char* english;
};
constexpr WriteFailureReason WriteFailureReasons[] = {
    {WriteFailure::NoSpace, "Er is geen ruimte meer op de schijf.",
     "There is no space left on the disk."},
    {WriteFailure::TooLarge, "Het bestand zou groter worden dan is toegestaan.",
     "The file would be larger than is allowed."},
    {WriteFailure::NoPermission,
     "U mag hier niet schrijven, of het bestand of de schijf is alleen-lezen.",
     "You may not write here, or the file or the disk is read-only."},
    {WriteFailure::NameTooLong, "De naam van het bestand is te lang.",
     "The name of the file is too long."},
    {WriteFailure::NotRegular,
     "Onder deze naam staat geen gewoon bestand, maar bijvoorbeeld een map.",
     "This name belongs to something other than a plain file, such as a folder."},
};

bool endsWith(const std::string& text, std::string_view tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}
} // namespace

SoundFiles::SoundFiles(Editor& editor, UserDialogs& dialogs, ViewObserver& view)
    : editor_(editor), dialogs_(dialogs), view_(view) {}

Document& SoundFiles::doc() {
    return editor_.doc();
}

const Document& SoundFiles::doc() const {
    return editor_.doc();
}

bool SoundFiles::offerSaveFirst() {
    Answer answer =
        dialogs_.ask(MessageIcon::Question, ProgramCaption,
                     editor_.LangText("Wilt u eerst het geluid dat u nu heeft opslaan?",
                                      "Do you first want to save the sound you have now?"));
    if (answer == Answer::Cancel) return false;
    // A save that did not happen (its dialog cancelled, or the file not written) cancels what
    // asked, so that the sound is not lost.
    return answer == Answer::No || saveToItsFile(ProgressSaving);
}

// ---------------------------------------------------------------- open

std::string SoundFiles::dialogFolder() const {
    if (doc().FileName.empty() || doc().FileName == "*") return editor_.settings().lastDir;
    return folderWithSeparator(doc().FileName);
}

void SoundFiles::rememberFolderOf(const std::string& path) {
    editor_.settings().lastDir = folderWithSeparator(path);
    editor_.preferences().saveSettings();
}

void SoundFiles::openFile() {
    for (;;) {
        auto chosen = dialogs_.chooseOpenPath(waveFileFilter(), dialogFolder());
        if (!chosen || chosen->empty()) return;
        std::error_code error;
        if (std::filesystem::exists(*chosen, error)) return openChosenFile(*chosen);
    }
}

void SoundFiles::openChosenFile(const std::string& path) {
    rememberFolderOf(path);
    openWave(path, path);
}

void SoundFiles::openRecentFile(int index) {
    const std::string path = editor_.settings().recentFiles.at(size_t(index));
    openWave(path, path.substr(path.find_last_of('/') + 1));
}

void SoundFiles::resetForReading() {
    for (int panel = 2; panel <= 4; ++panel)
        editor_.status().setPanel(panel, "");
    doc().FileName.clear();
    doc().RightSamples.assign(1, 0);
    editor_.history().clear();
    editor_.status().setCaption(ProgramCaption);
    doc().Info.clear();
    doc().DispText.clear();
    view_.selectionChanged();
}

std::string SoundFiles::failureText(const WavReadResult& read) const {
    switch (read.failure) {
    case WavFailure::NotWave:
        return editor_.LangText("Dit bestand is geen geldig wave-bestand.",
                                "This file is not a valid wave-file.");
    case WavFailure::NotPcm:
        return editor_.LangText(
            "Dit wave-bestand heeft een IBM-indeling. Dit programma ondersteunt alleen de "
            "(standaard) PCM-indeling.",
            "This wave-files has the IBM-format. This program only supports the "
            "(standard) PCM-format only.");
    case WavFailure::BadBitrate:
        return editor_.LangText(
            "Sonoplexer kan dit bestand niet openen, want de bitrate is niet 8, 16 of 24.",
            "Sonoplexer can't open this file, because the bitrate is not 8, 16 or 24.");
    case WavFailure::Corrupt:
        return editor_.LangText("Er zit een fout in dit wave-bestand.",
                                "This wave-file is corrupt.");
    case WavFailure::UnsupportedBits:
        return editor_.LangText("Dit bestand is" + numberText(read.failedBits) +
                                    "-bits. Dit programma ondersteunt alleen 8- of 16-bits.",
                                "This file is" + numberText(read.failedBits) +
                                    "-bits. This program supports 8- and 16-bit only.");
    case WavFailure::NotMonoStereo:
        return editor_.LangText("Dit wave-bestand is niet mono of stereo.",
                                "This wave-file is not mono or stereo.");
    default:
        return editor_.LangText("Er is een onbekende fout opgetreden.",
                                "An unknown problem has occured.");
    }
}

void SoundFiles::reportFileLists(const std::string& path, const WavReadResult& read) {
    if (editor_.settings().options.showInfo && !read.fileInfo.empty()) {
        std::string list;
        for (const FileInfoLine& line : read.fileInfo) {
            std::string label = "Label: ";
            if (auto known = infoLabel(line.id))
                label = editor_.LangText(known->dutch, known->english);
            list += "\r" + label + latin1ToUtf8(line.text);
        }
        dialogs_.showMessage(
            MessageIcon::Information, path,
            editor_.LangText("Informatie uit het bestand:", "Information from the file:") + list);
    }
    if (editor_.settings().options.unknownChunks && !read.unknownChunks.empty()) {
        dialogs_.showMessage(
            MessageIcon::Information, path,
            editor_.LangText(
                "In dit WAV-bestand is informatie gevonden waar dit programma geen gebruik van "
                "maakt. Als u het geopende geluid opslaat, wordt deze informatie er dan ook niet "
                "bijgevoegd. Deze informatie is niet nodig om het geluid op te slaan. Er is dus "
                "niets aan de hand.",
                "In this WAV-file, information has been found that this program doesn't use. "
                "When you save this sound, the information will not be added to the file. This "
                "information is not needed to save the sound, so there is nothing wrong.") +
                "\r\r" + editor_.LangText("Beschrijving(en):", "Description(s):") +
                latin1ToUtf8(read.unknownChunks));
    }
}

bool SoundFiles::openWave(std::string path, std::string displayName) {
    if (!doc().FileName.empty() && doc().Changed && !offerSaveFirst()) return false;
    std::error_code error;
    if (path.empty() || !std::filesystem::exists(path, error)) return false;
    view_.hideToolDialogs();
    editor_.playback().stop();
    view_.setBusy(true);
    // Read before anything changes, so that a cancelled open leaves the sound as it was.
    editor_.work().progressStart(ProgressOpening);
    WavReadResult read = editor_.work().sampleWork([&] {
        return readWaveFile(path, [this](int step) { editor_.work().progressShow(step); });
    });
    editor_.work().progressEnd();
    resetForReading();
    if (read.reducedFrom24)
        dialogs_.showMessage(
            MessageIcon::Information, path,
            editor_.LangText("De bitrate van dit bestand is 24. Sonoplexer opent het als een "
                             "16-bit bestand. Dit kan de kwaliteit iets minder goed maken.",
                             "The bitrate of this file is 24. Sonoplexer will open it as a "
                             "16-bit file. This might decrease the quality a little."));
    if (read.chunksWalked) reportFileLists(path, read);

    if (read.failure != WavFailure::None) {
        // No sound is loaded: an empty one in the format there was takes the old one's place, and
        // the panels that describe a sound stay as blank as during the read.
        editor_.installSound({doc().format()});
        for (int panel = 2; panel <= 4; ++panel)
            editor_.status().setPanel(panel, "");
        view_.setBusy(false);
        editor_.view().drawWaveform();
        editor_.status().setPanel(1, editor_.LangText("Het bestand kon niet worden geopend.",
                                                      "The file could not be opened."));
        dialogs_.showMessage(MessageIcon::Critical, path, failureText(read));
        return false;
    }

    if (read.cutShort)
        dialogs_.showMessage(
            MessageIcon::Information, path,
            editor_.LangText(
                "Dit bestand lijkt te zijn afgebroken: het is korter dan het zelf aangeeft. "
                "Het geluid bevat wat er gelezen kon worden.",
                "This file seems to have been cut short: it is shorter than it says it is. "
                "The sound holds what could be read."));
    editor_.installSound(std::move(read.sound));
    doc().Info = std::move(read.info);
    doc().DispText = std::move(read.dispText);
    // A sound made in the program has no file yet: it is a change until it is saved.
    doc().Changed = displayName == "*";

    editor_.status().setPanel(
        1, editor_.LangText("Het bestand is geopend.", "The file has been opened."));
    if (displayName != "*") editor_.preferences().rememberRecentFile(path);
    if (displayName == "*") {
        doc().FileName = "*";
        editor_.status().setCaption(captionForUntitled(editor_.settings().language));
    } else {
        doc().FileName = path;
        editor_.status().setCaption(captionForFile(displayName));
    }
    editor_.view().selectNothing();
    editor_.view().drawWaveform();
    view_.setBusy(false);
    editor_.playback().playAfterChange();
    return true;
}

// ---------------------------------------------------------------- save

bool SoundFiles::saveToItsFile(int saveKind) {
    if (doc().FileName.empty()) return false;
    // Save As comes back here with a name; a cancelled one leaves the sound as it is.
    if (doc().FileName == "*") {
        saveAs();
        return doc().FileName != "*";
    }
    return writeWave(doc().FileName, saveKind);
}

bool SoundFiles::writeWave(const std::string& path, int saveKind, WaveWrite how) {
    // The file holds an even number of frames: an odd sound gets a silent frame (value 0) first,
    // which it keeps only when the file was written. The coder's file gets it without the sound.
    const bool padded = doc().SampleCount % 2 == 1 && !how.forCoder;
    auto lengthenBy = [this](int frames) {
        doc().SampleCount += frames;
        doc().LeftSamples.resize(size_t(doc().SampleCount), 0);
        if (doc().isStereo()) doc().RightSamples.resize(size_t(doc().SampleCount), 0);
        editor_.notifySoundChange(
            {doc().SampleCount - 1, doc().SampleCount - 1, true, doc().isStereo(), true, false});
    };
    if (padded) lengthenBy(1);
    view_.setBusy(true);
    padOddTexts(doc());

    const double frames = double(doc().SampleCount + doc().SampleCount % 2);
    const SampleWidthInFile width =
        how.forCoder ? SampleWidthInFile::Sixteen : SampleWidthInFile::AsHeld;
    editor_.work().progressStart(saveKind);
    WriteFailure failure = WriteFailure::None;
    try {
        failure = editor_.work().sampleWork([&] {
            return writeWaveFile(
                path, doc(), 0, frames, [this](int step) { editor_.work().progressShow(step); },
                width);
        });
    } catch (const WorkCancelled&) {
        // The old file stays as it was; the sound loses the frame it got for the file.
        if (padded) lengthenBy(-1);
        throw;
    }
    const bool written = failure == WriteFailure::None;
    editor_.work().progressEnd(); // before any message, which would otherwise stand over a bar at
                                  // its last step

    if (!written) {
        if (padded) lengthenBy(-1);
        editor_.status().setPanel(
            1, editor_.LangText("Het geluid is niet opgeslagen.", "The sound has not been saved."));
        dialogs_.showMessage(
            MessageIcon::Critical, path,
            editor_.LangText("Het geluid is niet opgeslagen wegens een onbekende fout.",
                             "The sound has not been saved caused by an unknown problem.") +
                writeFailureText(failure));
    } else if (!endsWith(path, ".tmp")) {
        doc().Changed = false;
        editor_.status().setPanel(
            1, editor_.LangText("Het geluid is opgeslagen.", "The sound has been saved."));
    }
    view_.setBusy(false);
    return written;
}

std::string SoundFiles::writeFailureText(WriteFailure failure) const {
    for (const WriteFailureReason& reason : WriteFailureReasons)
        if (reason.failure == failure)
            return "\r\r" + editor_.LangText(reason.dutch, reason.english);
    return {};
}

void SoundFiles::save() {
    saveToItsFile(ProgressSaving);
}

std::string SoundFiles::waveFileFilter() const {
    return editor_.LangText(WaveFilterDutch, WaveFilter);
}

void SoundFiles::saveAs() {
    if (doc().FileName.empty()) return;
    std::string path;
    for (;;) {
        auto chosen = dialogs_.chooseSavePath(waveFileFilter(), dialogFolder());
        if (!chosen || chosen->empty()) return;
        path = *chosen;
        rememberFolderOf(path);
        std::error_code error;
        if (!std::filesystem::exists(path, error)) break;
        Answer answer =
            dialogs_.ask(MessageIcon::Information, ProgramCaption,
                         editor_.LangText("Dit bestand bestaat al. Er overheen opslaan?",
                                          "This file already exists. Overwrite it?"));
        if (answer == Answer::Cancel) return;
        if (answer == Answer::Yes) break;
    }
    // A failed write leaves the sound under its old name, so nothing points at a missing file.
    std::string previousName = doc().FileName;
    std::string previousCaption = editor_.status().caption();
    doc().FileName = path;
    editor_.status().setCaption(captionForFile(path));
    if (!saveToItsFile(ProgressSaving)) {
        doc().FileName = previousName;
        editor_.status().setCaption(previousCaption);
        return;
    }
    editor_.preferences().rememberRecentFile(path);
}

} // namespace sono
