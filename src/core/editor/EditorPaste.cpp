// The paste commands: the clip file, or a recording, merged into the sound.
#include <new>
#include <utility>

#include "document/Progress.h"
#include "document/StatusTexts.h"
#include "editing/ClipFile.h"
#include "editing/PasteEngine.h"
#include "editor/Editor.h"
#include "formats/RecordedFile.h"

namespace sono {

void Editor::MMpaste() {
    PasteClip(false, false, false);
}
void Editor::MMpasteMix() {
    PasteClip(true, false, false);
}
void Editor::MMpasteOverloper() {
    PasteClip(true, true, false);
}

void Editor::pasteFailed(bool fromRecording) {
    ProgressEnd();
    DrawWaveform();
    if (fromRecording) {
        MMNiets();
        setStatus(1, LangText("Opname ging niet goed.", "Recording failed."));
        dialogs_.showMessage(MessageIcon::Critical, ProgramCaption,
                             LangText("Er is iets fout gegaan bij het opnemen.",
                                      "An error has occured while recording."));
        return;
    }
    const std::string text =
        LangText("Vanwege een fout kunt u niet plakken.", "Due to an error, you cannot paste.");
    setStatus(1, text);
    dialogs_.showMessage(MessageIcon::Critical, ProgramCaption, text);
}

void Editor::PasteClip(bool Mix, bool Overlap, bool FromRecording) {
    if (!FromRecording) {
        if (!enabled(EnabledRule::ClipAvailable)) return;
        MMstop();
    }
    // Both sources arrive as the same clip. A recording is first saved by the device and read
    // back, in the first half of the progress bar.
    std::optional<ClipSource> source;
    if (FromRecording) {
        device_.stop();
        const bool saved = device_.save();
        device_.close();
        const std::string recorded = std::exchange(recordingPath_, std::string());
        ProgressStart(ProgressRecording);
        if (auto sound = saved
                             ? readRecordedFile(recorded, [this](int step) { ProgressShow(step); })
                             : std::nullopt) {
            doc_.FormatTag = sound->formatTag;
            doc_.ByteRate = sound->byteRate;
            doc_.BlockAlign = sound->blockAlign;
            source = std::move(sound->clip);
        }
    } else {
        source = readClipFile(clipFilePath(folders_.tempDir));
    }
    const PasteRequest request{Mix, Overlap, settings_.options.bothChannels, FromRecording};
    // A clip that would make the sound too long is refused before anything changes.
    if (source && mergedSampleCount(doc_, *source, request) > MaxSampleCount) {
        ProgressEnd();
        return refuseTooLong();
    }
    if (!PushUndo()) return ProgressEnd();
    if (!FromRecording) ProgressStart(ProgressPasting);
    if (!source) return pasteFailed(FromRecording);

    const Selection selection = doc_.selection;
    std::optional<MergeResult> merged;
    try {
        merged = mergeClip(doc_, *source, request, [this](int step) { ProgressShow(step); });
    } catch (const std::bad_alloc&) {
        // Out of memory halfway: the snapshot just taken holds the sound as it was.
        dropLastSnapshot();
        doc_.selection = selection;
        notifySoundChange({0, int64_t(doc_.SampleCount) - 1, true, doc_.isStereo(), true, false});
        ProgressEnd();
        DrawWaveform();
        return refuseTooLong();
    }
    notifySoundChange(merged->change);

    ProgressEnd();
    DrawWaveform();
    if (FromRecording) {
        setStatus(1, LangText("Het geluid is opgenomen.", "The sound has been recorded."));
        MMNiets();
    } else {
        setStatus(1, LangText("Klaar met plakken.", "Finished pasting."));
    }
    refreshLengthPanels();
    // Pasting without a selection into a stereo sound changed both channels: the option follows.
    if (merged->channels == 2 && !settings_.options.bothChannels) MMbeide();
    playAfterChange();
}

} // namespace sono
