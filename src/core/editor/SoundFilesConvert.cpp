// Format conversion (Properties) and the raw import (open any file).
#include "editor/SoundFiles.h"

#include <algorithm>
#include <array>
#include <new>
#include <optional>

#include "editor/Editor.h"
#include "formats/FormatConversion.h"
#include "formats/RawImport.h"
#include "support/Numbers.h"
#include "support/Progress.h"
#include "support/StatusTexts.h"

namespace sono {

bool SoundFiles::otherRateAccepted(double rate) {
    if (rate < 1000) {
        dialogs_.showMessage(MessageIcon::Information, ProgramCaption,
                             editor_.LangText("De frequentie moet minstens 1000 zijn.",
                                              "The frequency must be at least 1000."));
        return false;
    }
    if (rate > 100000) {
        dialogs_.showMessage(MessageIcon::Information, ProgramCaption,
                             editor_.LangText("De frequentie kan maximaal 100000 zijn.",
                                              "The frequency can be at most 100000."));
        return false;
    }
    return true;
}

void SoundFiles::applyProperties(int bits, double rate, int channels) {
    if (doc().FileName.empty()) return;
    const auto& fixed = FixedSampleRates;
    if (std::find(fixed.begin(), fixed.end(), rate) == fixed.end() && !otherRateAccepted(rate))
        return;
    changeProperties(bits, int32_t(roundHalfEven(rate)), channels);
}

void SoundFiles::changeProperties(int bits, int32_t rate, int channels) {
    if (doc().FileName.empty()) return;
    rate = std::clamp(rate, 2500, 100000);
    editor_.playback().stop();
    // The new sound is made beside the old one before anything changes.
    std::optional<NewSound> converted;
    if (convertedFrameCount(doc(), rate) <= MaxSampleCount) {
        editor_.work().progressStart(ProgressEditing);
        try {
            converted = editor_.work().sampleWork([&] {
                return convertedSound(doc(), bits == 8 ? 8 : 16, rate, channels == 2 ? 2 : 1,
                                      [this](int step) { editor_.work().progressShow(step); });
            });
        } catch (const std::bad_alloc&) {
        }
        editor_.work().progressEnd();
    }
    if (!converted) return editor_.refuseTooLong();
    if (!editor_.history().push()) return;
    doc().selection.SelStart = -1;
    view_.setBusy(true);
    editor_.installSound(std::move(*converted));
    editor_.status().setPanel(1, editor_.LangText("De eigenschappen zijn veranderd.",
                                                  "The properties have been changed."));
    editor_.view().drawWaveform();
    view_.setBusy(false);
    editor_.playback().playAfterChange();
}

bool SoundFiles::openRawFile(const std::string& path, int bits, double rate, int channels) {
    // The panel's rate is checked as the properties dialog checks it; a rate of 0 would make a
    // sound nothing can play or convert.
    if (!otherRateAccepted(rate)) return false;
    rememberFolderOf(path);
    editor_.playback().stop();
    bits = bits == 8 ? 8 : 16;
    channels = channels == 2 ? 2 : 1;

    editor_.work().progressStart(ProgressOpening);
    RawReadResult read = editor_.work().sampleWork([&] {
        return readRawFile(path, bits, channels,
                           [this](int step) { editor_.work().progressShow(step); });
    });
    editor_.work().progressEnd();
    if (!read.ok) {
        editor_.status().setPanel(1, editor_.LangText("Het bestand kon niet worden geopend.",
                                                      "The file could not be opened."));
        dialogs_.showMessage(MessageIcon::Critical, path,
                             editor_.LangText("Er is een onbekende fout opgetreden.",
                                              "An unknown problem has occured."));
        return true;
    }
    editor_.installSound({{float(channels), float(roundHalfEven(rate)), float(bits)},
                          read.frames,
                          std::move(read.left),
                          std::move(read.right)});
    doc().Changed = true; // the samples are in no WAV file yet
    doc().Info.clear();
    doc().DispText.clear();
    *doc().Info.find("ISFT") = std::string(ProgramSignature);
    editor_.status().setPanel(
        1, editor_.LangText("Het bestand is geopend.", "The file has been opened."));
    doc().FileName = "*";
    editor_.status().setCaption(captionForUntitled(editor_.settings().language));
    editor_.view().selectNothing();
    editor_.view().drawWaveform();
    editor_.playback().playAfterChange();
    return true;
}

} // namespace sono
