// MP3 exchange: the outside coder turns MP3 files into WAV files the editor reads, and the
// sound's WAV file into MP3 files; the tag library carries the music information across.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>

#include "editor/Editor.h"
#include "formats/ByteFile.h"
#include "mp3/Mp3Exchange.h"
#include "mp3/Mp3Frame.h"
#include "support/Progress.h"

namespace sono {

namespace {
const char* const CoderProgram = "lame";
// However short the sound, the coder gets this long to start and finish.
constexpr double CoderBaseSeconds = 20;
// An MP3 file of unknown bitrate is thought to run at the lowest one, 8 kbit/s.
constexpr double LowestBytesPerSecond = 1000;
} // namespace

const std::vector<int>& Editor::mp3Bitrates() {
    static const std::vector<int> rates = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160};
    return rates;
}

std::string Editor::mp3OpenFilter() const {
    return LangText("MP3-bestanden (*.mp3)|*.mp3|Alle Bestanden (*.*)|*.*",
                    "MP3-files (*.mp3)|*.mp3|All Files (*.*)|*.*");
}

std::string Editor::mp3SaveFilter() const {
    return LangText("MP3-bestanden (*.mp3)|*.mp3", "MP3-files (*.mp3)|*.mp3");
}

Mp3Fields Editor::mp3FieldsToExport() const {
    return mp3FieldsOf(doc_, tags_.genreNames());
}

bool Editor::runCoder(const std::vector<std::string>& arguments, const std::string& output,
                      double seconds, int progressKind) {
    std::error_code error;
    progressStart(progressKind);
    view_.progressShown(-1, progressText_);
    const auto limit = std::chrono::milliseconds(int64_t((CoderBaseSeconds + seconds) * 1000));
    const CoderRun run =
        coder_.run(CoderProgram, arguments, limit, [this] { view_.waitingForOutsideProgram(); });
    progressEnd();
    const auto bytes = std::filesystem::file_size(output, error);
    const bool written = run.finished && run.exitCode == 0 && !error && bytes > 0;
    if (!written) std::filesystem::remove(output, error);
    return written;
}

void Editor::importMp3(const std::string& path) {
    rememberFolderOf(path);
    stop();
    const std::string wav = newTempSoundName();
    view_.setBusy(true);
    std::error_code error;
    double seconds = double(std::filesystem::file_size(path, error)) / LowestBytesPerSecond;
    std::filesystem::remove(wav, error); // whatever a crashed run left under the name
    if (auto frame = Mp3FrameInfo(path, settings_.language)) seconds = double(frame->seconds);
    const bool decoded =
        !error && runCoder(decodeArguments(path, wav), wav, seconds, ProgressOpening);
    view_.setBusy(false);
    if (!decoded) {
        dialogs_.showMessage(MessageIcon::Critical, path,
                             LangText("Er is een foutje opgetreden. Dit MP3-bestand kan niet "
                                      "worden geopend.",
                                      "An error has occured. This MP3-file cannot be opened."));
        return;
    }
    if (!openWave(wav, "*")) return;
    applyMp3Fields(tags_.read(path).value_or(Mp3Fields{}), doc_);
    std::string& comment = *doc_.Info.find("ICMT");
    if (comment.empty()) comment = LangText("Bewerkt met Sonoplexer", "Edited with Sonoplexer");
}

void Editor::exportMp3(const std::string& path, int bitrate, bool stereoChecked,
                       const Mp3Fields& fields) {
    if (doc_.FileName.empty()) return;
    rememberFolderOf(path);
    stop();
    // Written through a link to the file it names; a read-only file or a folder, FIFO or device
    // under the name is not replaced.
    const std::string target = resolvedSaveTarget(path);
    WriteFailure failure = WriteFailure::None;
    switch (inspectSaveTarget(target)) {
    case SaveTarget::ReadOnly:
        failure = WriteFailure::NoPermission;
        break;
    case SaveTarget::NotRegular:
        failure = WriteFailure::NotRegular;
        break;
    default:
        break;
    }
    // The coder writes a new file beside the target, which takes the target's place only when
    // it is complete: other names of the old file keep it whole.
    std::string partial;
    if (failure == WriteFailure::None && (partial = makePartialBeside(target)).empty())
        failure = writeFailureOf(errno);
    const std::string wav = newTempSoundName();
    bool saved =
        failure == WriteFailure::None && writeWave(wav, ProgressSaving, {.forCoder = true});
    view_.setBusy(true);
    const double seconds = double(doc_.SampleCount) / double(doc_.SampleRate);
    saved =
        saved && runCoder(encodeArguments(wav, partial, bitrate, stereoChecked, int(doc_.Channels)),
                          partial, seconds, ProgressSaving);
    const bool fieldsWritten = !saved || fields.empty() || tags_.write(partial, fields);
    if (saved && std::rename(partial.c_str(), target.c_str()) != 0) {
        failure = writeFailureOf(errno);
        saved = false;
    }
    std::error_code error;
    if (!saved && !partial.empty()) std::filesystem::remove(partial, error);
    std::filesystem::remove(wav, error);
    if (!saved) {
        view_.setBusy(false);
        setStatus(
            1, LangText("Het MP3-bestand is niet opgeslagen.", "The MP3-file has not been saved."));
        dialogs_.showMessage(
            MessageIcon::Critical, path,
            LangText("Er is een fout opgetreden, waardoor het MP3-bestand niet kon worden "
                     "opgeslagen.",
                     "An error has occured, so the MP3-file could not be saved.") +
                writeFailureText(failure));
        return;
    }
    if (!fieldsWritten)
        dialogs_.showMessage(
            MessageIcon::Critical, path,
            LangText("De muziekinformatie kan niet worden opgeslagen wegens een onbekende fout. "
                     "Het MP3-bestand is wel opgeslagen.",
                     "The music information cannot be saved due to some unknown error. The "
                     "MP3-file has been saved correctly."));
    view_.setBusy(false);
    setStatus(1, LangText("Het MP3-bestand is opgeslagen.", "The MP3-file has been saved."));
}

} // namespace sono
