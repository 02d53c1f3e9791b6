// Format conversion (Properties) and the raw import (open any file).
#include <algorithm>

#include "Editor.h"
#include "document/Numbers.h"
#include "document/Progress.h"
#include "document/StatusTexts.h"
#include "formats/FormatConversion.h"
#include "formats/RawImport.h"

namespace sono {

bool Editor::otherRateAccepted(double rate) {
    if (rate < 1000) {
        host_.showMessage(MessageIcon::Information, ProgramCaption,
                          LangText("De frequentie moet minstens 1000 zijn.",
                                   "The frequency must be at least 1000."));
        return false;
    }
    if (rate > 100000) {
        host_.showMessage(MessageIcon::Information, ProgramCaption,
                          LangText("De frequentie kan maximaal 100000 zijn.",
                                   "The frequency can be at most 100000."));
        return false;
    }
    return true;
}

void Editor::ChangeProp(int pBitRate, int32_t pFrequency, int pChannels) {
    if (doc_.FileName.empty()) return;
    pFrequency = std::clamp(pFrequency, 2500, 100000);
    host_.stopPlayback();
    if (!PushUndo()) return;
    doc_.SelStart = -1;
    host_.setBusy(true);
    convertFormat(doc_, pBitRate == 8 ? 8 : 16, pFrequency, pChannels == 2 ? 2 : 1);
    RefreshStatusPanels();
    setStatus(1, LangText("De eigenschappen zijn veranderd.", "The properties have been changed."));
    DrawWaveform();
    host_.setBusy(false);
    playAfterChange();
}

bool Editor::openRawFile(const std::string& path, int bits, double rate, int channels) {
    // The panel's rate is checked as the properties dialog checks it; a rate of 0 would make a
    // sound nothing can play or convert.
    if (!otherRateAccepted(rate)) return false;
    rememberFolderOf(path);
    host_.stopPlayback();
    bits = bits == 8 ? 8 : 16;
    channels = channels == 2 ? 2 : 1;

    ProgressStart(ProgressOpening);
    RawReadResult read =
        readRawFile(path, bits, channels, [this](int step) { ProgressShow(step); });
    ProgressEnd();
    if (!read.ok) {
        setStatus(
            1, LangText("Het bestand kon niet worden geopend.", "The file could not be opened."));
        host_.showMessage(
            MessageIcon::Critical, path,
            LangText("Er is een onbekende fout opgetreden.", "An unknown problem has occured."));
        return true;
    }
    doc_.BitsPerSample = float(bits);
    doc_.SampleRate = float(roundHalfEven(rate));
    doc_.Channels = float(channels);
    doc_.SampleCount = read.frames;
    doc_.LeftSamples = std::move(read.left);
    doc_.RightSamples = std::move(read.right);
    doc_.Changed = false;
    RefreshStatusPanels();
    doc_.Info.clear();
    doc_.DispText.clear();
    *doc_.Info.find("ISFT") = std::string(ProgramSignature);
    setStatus(1, LangText("Het bestand is geopend.", "The file has been opened."));
    doc_.FileName = "*";
    setCaption(captionForUntitled(settings_.language));
    MMNiets();
    DrawWaveform();
    levelMeterChannel = doc_.isStereo() ? "0" : "1";
    playAfterChange();
    return true;
}

} // namespace sono
