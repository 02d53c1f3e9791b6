#include "editor/Generators.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <new>
#include <stdexcept>

#include "editor/Editor.h"
#include "formats/ByteFile.h"
#include "generators/Morse.h"
#include "support/StatusTexts.h"

namespace sono {

namespace {
const char* const SynthesizerCaption = "Synthesizer";
const char* const EncodedPeriodName = "new_file.qvf";
} // namespace

Generators::Generators(Editor& editor, UserDialogs& dialogs, ViewObserver& view,
                       std::filesystem::path settingsDir, std::filesystem::path shareDir)
    : editor_(editor), dialogs_(dialogs), view_(view), settingsDir_(std::move(settingsDir)),
      shareDir_(std::move(shareDir)) {}

bool Generators::leaveSound() {
    editor_.playback().stop();
    Document& doc = editor_.doc();
    if (!doc.FileName.empty() && doc.Changed && !editor_.files().offerSaveFirst()) return false;
    doc.FileName.clear();
    doc.Changed = false;
    view_.selectionChanged(); // the commands that need a sound are disabled meanwhile
    editor_.history().clear();
    return true;
}

// ---------------------------------------------------------------- synthesizer

std::vector<std::filesystem::path> Generators::periodFolders() const {
    std::vector<std::filesystem::path> folders{settingsDir_};
    if (!shareDir_.empty()) folders.push_back(shareDir_);
    return folders;
}

std::string Generators::writeSynthesizedSound(const SynthSettings& settings) {
    const std::string path = editor_.playback().newTempSoundName();
    const std::string bytes = synthesizedWave(settings);
    ReplacingFile file(path);
    file.write(bytes.data(), bytes.size());
    if (file.commit()) return path;
    dialogs_.showMessage(
        MessageIcon::Critical, path,
        editor_.LangText("Het geluid is niet opgeslagen wegens een onbekende fout.",
                         "The sound has not been saved caused by an unknown problem."));
    return {};
}

void Generators::synthesize(const SynthSettings& settings) {
    if (!leaveSound()) return;
    editor_.freshInfoFields();
    const std::string path = writeSynthesizedSound(settings);
    if (path.empty() || !editor_.files().openWave(path, "*")) return;
    // Reading the file empties every field, so the new sound's date and software are set again.
    editor_.freshInfoFields();
    editor_.status().setPanel(1,
                              editor_.LangText("Een nieuw geluid is gemaakt met de synthesizer.",
                                               "A new sound has been made with the synthesizer."));
}

bool Generators::loadPeriodFile(const std::string& name, SynthSettings& settings) {
    const auto path = findPeriodFile(name, periodFolders());
    if (!path) {
        dialogs_.showMessage(MessageIcon::Critical, SynthesizerCaption,
                             editor_.LangText("Bestand " + name + " niet gevonden.",
                                              "File " + name + " not found."));
        return false;
    }
    const auto file = readPeriodFile(*path);
    if (!file) {
        dialogs_.showMessage(MessageIcon::Critical, SynthesizerCaption,
                             editor_.LangText("Bestand " + name + " is geen geldig periodebestand.",
                                              "File " + name + " is not a valid period file."));
        return false;
    }
    spreadPeriodPoints(settings.period, file->points);
    if (auto frequency = frequencyOfCode(file->frequencyCode)) settings.frequency = *frequency;
    return true;
}

std::optional<std::string> Generators::savePeriod(const Period& period, int frequency) {
    for (;;) {
        const auto answer =
            dialogs_.askInput(editor_.LangText("Opslaan", "Save"),
                              editor_.LangText("Geef een bestandsnaam.", "Give a filename."),
                              editor_.LangText("naamloos", "no title"));
        if (!answer || answer->empty()) return std::nullopt;
        if (!periodNameAllowed(*answer)) {
            dialogs_.showMessage(
                MessageIcon::Exclamation, ProgramCaption,
                editor_.LangText("De volgende tekens mogen niet in de bestandsnaam voorkomen.",
                                 "These characters cannot be in a filename.") +
                    " * ? : / \\ < > |");
            continue;
        }
        const std::string name = withPeriodExtension(*answer);
        // The list shows the shipped periods too: saving over one of those is asked as well
        // (the saved copy, in the settings folder, is the one the list then opens).
        if (findPeriodFile(name, periodFolders())) {
            const Answer overwrite =
                dialogs_.ask(MessageIcon::Question, ProgramCaption,
                             editor_.LangText("Dit bestand bestaat al. Er overheen schrijven?",
                                              "This file already exists. Overwrite it?"));
            if (overwrite == Answer::Cancel) return std::nullopt;
            if (overwrite == Answer::No) continue;
        }
        std::error_code ignored;
        std::filesystem::create_directories(settingsDir_, ignored);
        if (!writePeriodFile(settingsDir_ / name, period, frequency)) {
            dialogs_.showMessage(
                MessageIcon::Critical, name,
                editor_.LangText("Het bestand is niet opgeslagen wegens een onbekende "
                                 "fout.",
                                 "The file has not been saved caused by an unknown "
                                 "problem."));
            return std::nullopt;
        }
        return name;
    }
}

void Generators::encodePeriodFile() {
    const Document& doc = editor_.doc();
    if (doc.FileName.empty() || doc.SampleCount <= 0) return;
    const auto answer = dialogs_.askInput("QVF Encoder", "Hoeveel Trillingen?", "10");
    if (!answer) return;
    // The number the answer starts with, as the program reads typed numbers; 0 without one.
    int32_t periods = 0;
    std::from_chars(answer->data(), answer->data() + answer->size(), periods);
    std::vector<uint8_t> points(size_t(doc.SampleCount));
    for (size_t i = 0; i < points.size(); ++i)
        points[i] = uint8_t(std::clamp<int>(doc.LeftSamples[i], 0, 255));
    std::error_code ignored;
    std::filesystem::create_directories(settingsDir_, ignored);
    if (!writePeriodFile(settingsDir_ / EncodedPeriodName, points, periods))
        dialogs_.showMessage(
            MessageIcon::Critical, EncodedPeriodName,
            editor_.LangText("Het bestand is niet opgeslagen wegens een onbekende fout.",
                             "The file has not been saved caused by an unknown problem."));
}

// ---------------------------------------------------------------- Morse message

bool Generators::morseTextAccepted(const std::string& text) {
    if (!text.empty()) return true;
    dialogs_.showMessage(MessageIcon::Information, ProgramCaption,
                         editor_.LangText("Vul eerst een tekst in.", "First, type a text."));
    return false;
}

void Generators::makeMorse(const MorseSettings& settings) {
    const std::vector<TextCharacter> characters = textCharacters(settings.text);
    // The length is known before anything changes: a message too long for a sound is refused.
    int64_t units = 0;
    for (const TextCharacter& c : characters) {
        units += 3;
        if (auto code = morseCode(c.code))
            for (size_t i = 0; i < code->size(); ++i)
                units += (i > 0 ? 1 : 0) + ((*code)[i] == '.' ? 1 : 3);
    }
    MorseKeyer keyer(settings.rate, settings.bits, settings.intervalMs);
    const double frames = 1 + double(units) * (std::ceil(keyer.unitFrames()) + 1);
    try {
        if (frames > double(MaxSampleCount)) throw std::length_error("too long");
        keyer.reserve(size_t(frames));
    } catch (const std::bad_alloc&) {
        return editor_.refuseTooLong();
    } catch (const std::length_error&) {
        return editor_.refuseTooLong();
    }

    if (!leaveSound()) return;
    editor_.freshInfoFields();
    Document& doc = editor_.doc();
    if (settings.textInInfo) *doc.Info.find("ISBJ") = utf8ToLatin1(settings.text);
    *doc.Info.find("ISRF") = "Morse";
    view_.setBusy(true);
    for (const TextCharacter& c : characters) {
        keyer.append(3, true); // the gap before every character, the first among them
        if (c.code == U' ') continue;
        if (auto code = morseCode(c.code)) {
            for (size_t i = 0; i < code->size(); ++i) {
                if (i > 0) keyer.append(1, true);
                keyer.append((*code)[i] == '.' ? 1 : 3, false);
            }
        } else {
            dialogs_.showMessage(
                MessageIcon::Information, ProgramCaption,
                editor_.LangText(
                    "Dit teken kan het programma niet in Morse vertalen. Daarom wordt dit "
                    "teken overgeslagen:",
                    "The program can't translate this character into Morse, so it will be "
                    "skipped:") +
                    "\r\r" + std::string(c.bytes));
        }
    }
    Samples samples = keyer.take();
    const auto count = int32_t(samples.size());
    doc.selection.clear();
    editor_.installSound(
        {{1, float(settings.rate), float(settings.bits)}, count, std::move(samples), Samples{0}});
    doc.FileName = "*";
    doc.Changed = true; // the message is in no file yet
    editor_.status().setCaption(captionForUntitled(editor_.language()));
    view_.setBusy(false);
    editor_.status().setPanel(
        1, editor_.LangText("Het morsebericht is gemaakt.", "The morse message has been made."));
    editor_.view().drawWaveform();
    editor_.status().refreshPanels();
    editor_.playback().playAfterChange();
}

} // namespace sono
