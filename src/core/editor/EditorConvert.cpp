// Format conversion (Properties) and the raw import (open any file).
#include <algorithm>
#include <array>
#include <new>

#include "editor/Editor.h"
#include "formats/FormatConversion.h"
#include "formats/RawImport.h"
#include "support/Numbers.h"
#include "support/Progress.h"
#include "support/StatusTexts.h"

namespace sono {

bool Editor::otherRateAccepted(double rate) {
    if (rate < 1000) {
        dialogs_.showMessage(MessageIcon::Information, ProgramCaption,
                             LangText("De frequentie moet minstens 1000 zijn.",
                                      "The frequency must be at least 1000."));
        return false;
    }
    if (rate > 100000) {
        dialogs_.showMessage(MessageIcon::Information, ProgramCaption,
                             LangText("De frequentie kan maximaal 100000 zijn.",
                                      "The frequency can be at most 100000."));
        return false;
    }
    return true;
}

void Editor::applyProperties(int bits, double rate, int channels) {
    if (doc_.FileName.empty()) return;
    const auto& fixed = FixedSampleRates;
    if (std::find(fixed.begin(), fixed.end(), rate) == fixed.end() && !otherRateAccepted(rate))
        return;
    changeProperties(bits, int32_t(roundHalfEven(rate)), channels);
}

void Editor::changeProperties(int bits, int32_t rate, int channels) {
    if (doc_.FileName.empty()) return;
    rate = std::clamp(rate, 2500, 100000);
    stop();
    // The new sound is made beside the old one before anything changes.
    std::optional<NewSound> converted;
    if (convertedFrameCount(doc_, rate) <= MaxSampleCount) {
        progressStart(ProgressEditing);
        try {
            converted = sampleWork([&] {
                return convertedSound(doc_, bits == 8 ? 8 : 16, rate, channels == 2 ? 2 : 1,
                                      [this](int step) { progressShow(step); });
            });
        } catch (const std::bad_alloc&) {
        }
        progressEnd();
    }
    if (!converted) return refuseTooLong();
    if (!history_.push()) return;
    doc_.selection.SelStart = -1;
    view_.setBusy(true);
    installSound(std::move(*converted));
    setStatus(1, LangText("De eigenschappen zijn veranderd.", "The properties have been changed."));
    drawWaveform();
    view_.setBusy(false);
    playAfterChange();
}

bool Editor::openRawFile(const std::string& path, int bits, double rate, int channels) {
    // The panel's rate is checked as the properties dialog checks it; a rate of 0 would make a
    // sound nothing can play or convert.
    if (!otherRateAccepted(rate)) return false;
    rememberFolderOf(path);
    stop();
    bits = bits == 8 ? 8 : 16;
    channels = channels == 2 ? 2 : 1;

    progressStart(ProgressOpening);
    RawReadResult read = sampleWork([&] {
        return readRawFile(path, bits, channels, [this](int step) { progressShow(step); });
    });
    progressEnd();
    if (!read.ok) {
        setStatus(
            1, LangText("Het bestand kon niet worden geopend.", "The file could not be opened."));
        dialogs_.showMessage(
            MessageIcon::Critical, path,
            LangText("Er is een onbekende fout opgetreden.", "An unknown problem has occured."));
        return true;
    }
    installSound({float(channels), float(roundHalfEven(rate)), float(bits), read.frames,
                  std::move(read.left), std::move(read.right)});
    doc_.Changed = true; // the samples are in no WAV file yet
    doc_.Info.clear();
    doc_.DispText.clear();
    *doc_.Info.find("ISFT") = std::string(ProgramSignature);
    setStatus(1, LangText("Het bestand is geopend.", "The file has been opened."));
    doc_.FileName = "*";
    setCaption(captionForUntitled(settings_.language));
    selectNothing();
    drawWaveform();
    playAfterChange();
    return true;
}

} // namespace sono
