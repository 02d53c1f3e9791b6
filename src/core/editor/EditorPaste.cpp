// The paste commands: the clip file, or a recording, merged into the sound.
#include <new>
#include <utility>

#include "editing/ClipFile.h"
#include "editing/PasteEngine.h"
#include "editor/Editor.h"
#include "formats/RecordedFile.h"
#include "support/Progress.h"
#include "support/StatusTexts.h"

namespace sono {

void Editor::paste() {
    pasteClip(false, false, false);
}
void Editor::pasteMixed() {
    pasteClip(true, false, false);
}
void Editor::pasteFading() {
    pasteClip(true, true, false);
}

void Editor::pasteFailed(bool fromRecording) {
    progressEnd();
    drawWaveform();
    if (fromRecording) {
        selectNothing();
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

void Editor::pasteClip(bool mix, bool fade, bool fromRecording) {
    if (!fromRecording) {
        if (!enabled(EnabledRule::ClipAvailable)) return;
        playbackCommands_.stop();
    }
    // Both sources arrive as the same clip. A recording is first saved by the device and read
    // back, in the first half of the progress bar.
    std::optional<ClipSource> source;
    if (fromRecording) {
        const Transport::Recorded recorded = transport_.finishRecording();
        progressStart(ProgressRecording);
        if (recorded.saved)
            source = sampleWork([&] {
                return readRecordedFile(recorded.path, [this](int step) { progressShow(step); });
            });
    } else {
        source = readClipFile(clipFilePath(folders_.tempDir));
    }
    const PasteRequest request{mix, fade, settings_.options.bothChannels, fromRecording};
    // A clip that would make the sound too long is refused before anything changes.
    if (source && mergedSampleCount(doc_, *source, request) > MaxSampleCount) {
        progressEnd();
        return refuseTooLong();
    }
    if (!history_.push()) return progressEnd();
    if (!fromRecording) progressStart(ProgressPasting);
    if (!source) return pasteFailed(fromRecording);

    const Selection selection = doc_.selection;
    std::optional<MergeResult> merged;
    try {
        merged = sampleWork([&] {
            return mergeClip(doc_, *source, request, [this](int step) { progressShow(step); });
        });
    } catch (const std::bad_alloc&) {
        // Out of memory halfway: the snapshot just taken holds the sound as it was. When it
        // cannot be brought back, that is what the user is told.
        const bool putBack = history_.dropLast();
        doc_.selection = selection;
        notifySoundChange({0, int64_t(doc_.SampleCount) - 1, true, doc_.isStereo(), true, false});
        progressEnd();
        drawWaveform();
        if (putBack) refuseTooLong();
        return;
    }
    notifySoundChange(merged->change);

    progressEnd();
    drawWaveform();
    if (fromRecording) {
        setStatus(1, LangText("Het geluid is opgenomen.", "The sound has been recorded."));
        selectNothing();
    } else {
        setStatus(1, LangText("Klaar met plakken.", "Finished pasting."));
    }
    refreshLengthPanels();
    // Pasting without a selection into a stereo sound changed both channels: the option follows.
    if (merged->channels == 2 && !settings_.options.bothChannels)
        toggleOption(&Options::bothChannels);
    playbackCommands_.playAfterChange();
}

} // namespace sono
