#include "editor/Mp3Commands.h"

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

Mp3Commands::Mp3Commands(Editor& editor, UserDialogs& dialogs, ViewObserver& view,
                         ExternalCoder& coder, Mp3Tags& tags)
    : editor_(editor), dialogs_(dialogs), view_(view), coder_(coder), tags_(tags) {}

const std::vector<int>& Mp3Commands::bitrates() {
    static const std::vector<int> rates = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160};
    return rates;
}

std::string Mp3Commands::openFilter() const {
    return editor_.LangText("MP3-bestanden (*.mp3)|*.mp3|Alle Bestanden (*.*)|*.*",
                            "MP3-files (*.mp3)|*.mp3|All Files (*.*)|*.*");
}

std::string Mp3Commands::saveFilter() const {
    return editor_.LangText("MP3-bestanden (*.mp3)|*.mp3", "MP3-files (*.mp3)|*.mp3");
}

Mp3Fields Mp3Commands::fieldsToExport() const {
    return mp3FieldsOf(editor_.doc(), tags_.genreNames());
}

bool Mp3Commands::runCoder(const std::vector<std::string>& arguments, const std::string& output,
                           double seconds, int progressKind) {
    std::error_code error;
    editor_.work().progressStart(progressKind);
    editor_.work().progressWaiting();
    const auto limit = std::chrono::milliseconds(int64_t((CoderBaseSeconds + seconds) * 1000));
    const CoderRun run = coder_.run(CoderProgram, arguments, limit,
                                    [this] { editor_.work().waitForOutsideProgram(); });
    editor_.work().progressEnd();
    const auto bytes = std::filesystem::file_size(output, error);
    const bool written = run.finished && run.exitCode == 0 && !error && bytes > 0;
    if (!written) std::filesystem::remove(output, error);
    return written;
}

void Mp3Commands::importMp3(const std::string& path) {
    editor_.files().rememberFolderOf(path);
    editor_.playback().stop();
    const std::string wav = editor_.playback().newTempSoundName();
    view_.setBusy(true);
    std::error_code error;
    double seconds = double(std::filesystem::file_size(path, error)) / LowestBytesPerSecond;
    std::filesystem::remove(wav, error); // whatever a crashed run left under the name
    if (auto frame = Mp3FrameInfo(path, editor_.language())) seconds = double(frame->seconds);
    bool decoded = false;
    try {
        decoded = !error && runCoder(decodeArguments(path, wav), wav, seconds, ProgressOpening);
    } catch (const WorkCancelled&) {
        std::filesystem::remove(wav, error); // what the stopped coder wrote of it
        throw;
    }
    view_.setBusy(false);
    if (!decoded) {
        dialogs_.showMessage(
            MessageIcon::Critical, path,
            editor_.LangText("Er is een foutje opgetreden. Dit MP3-bestand kan niet "
                             "worden geopend.",
                             "An error has occured. This MP3-file cannot be opened."));
        return;
    }
    if (!editor_.files().openWave(wav, "*")) return;
    Document& doc = editor_.doc();
    applyMp3Fields(tags_.read(path).value_or(Mp3Fields{}), doc);
    std::string& comment = *doc.Info.find("ICMT");
    if (comment.empty())
        comment = editor_.LangText("Bewerkt met Sonoplexer", "Edited with Sonoplexer");
}

void Mp3Commands::exportMp3(const std::string& path, int bitrate, bool stereoChecked,
                            const Mp3Fields& fields) {
    const Document& doc = editor_.doc();
    if (doc.FileName.empty()) return;
    editor_.files().rememberFolderOf(path);
    editor_.playback().stop();
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
    const std::string wav = editor_.playback().newTempSoundName();
    std::error_code error;
    bool saved = false;
    try {
        saved = failure == WriteFailure::None &&
                editor_.files().writeWave(wav, ProgressSaving, {.forCoder = true});
        view_.setBusy(true);
        const double seconds = double(doc.SampleCount) / double(doc.SampleRate);
        saved = saved &&
                runCoder(encodeArguments(wav, partial, bitrate, stereoChecked, int(doc.Channels)),
                         partial, seconds, ProgressSaving);
    } catch (const WorkCancelled&) {
        // A cancelled export leaves no file behind; the coder has been stopped.
        if (!partial.empty()) std::filesystem::remove(partial, error);
        std::filesystem::remove(wav, error);
        throw;
    }
    const bool fieldsWritten = !saved || fields.empty() || tags_.write(partial, fields);
    if (saved && std::rename(partial.c_str(), target.c_str()) != 0) {
        failure = writeFailureOf(errno);
        saved = false;
    }
    if (!saved && !partial.empty()) std::filesystem::remove(partial, error);
    std::filesystem::remove(wav, error);
    if (!saved) {
        view_.setBusy(false);
        editor_.status().setPanel(1, editor_.LangText("Het MP3-bestand is niet opgeslagen.",
                                                      "The MP3-file has not been saved."));
        dialogs_.showMessage(
            MessageIcon::Critical, path,
            editor_.LangText("Er is een fout opgetreden, waardoor het MP3-bestand niet kon worden "
                             "opgeslagen.",
                             "An error has occured, so the MP3-file could not be saved.") +
                editor_.files().writeFailureText(failure));
        return;
    }
    if (!fieldsWritten)
        dialogs_.showMessage(
            MessageIcon::Critical, path,
            editor_.LangText(
                "De muziekinformatie kan niet worden opgeslagen wegens een onbekende fout. "
                "Het MP3-bestand is wel opgeslagen.",
                "The music information cannot be saved due to some unknown error. The "
                "MP3-file has been saved correctly."));
    view_.setBusy(false);
    editor_.status().setPanel(
        1, editor_.LangText("Het MP3-bestand is opgeslagen.", "The MP3-file has been saved."));
}

} // namespace sono
