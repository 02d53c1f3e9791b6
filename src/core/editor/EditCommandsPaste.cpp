// The paste commands: the clip file, or a recording, merged into the sound.
#include "editor/EditCommands.h"

#include <new>
#include <optional>
#include <string>

#include "editing/ClipFile.h"
#include "editing/PasteEngine.h"
#include "editor/Editor.h"
#include "formats/RecordedFile.h"
#include "support/Progress.h"
#include "support/StatusTexts.h"

namespace sono {

void EditCommands::paste() {
    pasteClip(false, false, false);
}
void EditCommands::pasteMixed() {
    pasteClip(true, false, false);
}
void EditCommands::pasteFading() {
    pasteClip(true, true, false);
}

void EditCommands::pasteFailed(bool fromRecording) {
    editor_.work().progressEnd();
    editor_.view().drawWaveform();
    if (fromRecording) {
        editor_.view().selectNothing();
        editor_.status().setPanel(1,
                                  editor_.LangText("Opname ging niet goed.", "Recording failed."));
        dialogs_.showMessage(MessageIcon::Critical, ProgramCaption,
                             editor_.LangText("Er is iets fout gegaan bij het opnemen.",
                                              "An error has occured while recording."));
        return;
    }
    const std::string text = editor_.LangText("Vanwege een fout kunt u niet plakken.",
                                              "Due to an error, you cannot paste.");
    editor_.status().setPanel(1, text);
    dialogs_.showMessage(MessageIcon::Critical, ProgramCaption, text);
}

void EditCommands::pasteClip(bool mix, bool fade, bool fromRecording) {
    if (!fromRecording) {
        if (!editor_.enabled(EnabledRule::ClipAvailable)) return;
        editor_.playback().stop();
    }
    // Both sources arrive as the same clip. A recording is first saved by the device and read
    // back, in the first half of the progress bar.
    std::optional<ClipSource> source;
    if (fromRecording) {
        const Transport::Recorded recorded = editor_.transport().finishRecording();
        editor_.work().progressStart(ProgressRecording);
        if (recorded.saved)
            source = editor_.work().sampleWork([&] {
                return readRecordedFile(recorded.path,
                                        [this](int step) { editor_.work().progressShow(step); });
            });
    } else {
        source = readClipFile(clipFilePath(tempDir_));
    }
    const PasteRequest request{mix, fade, editor_.options().bothChannels, fromRecording};
    // A clip that would make the sound too long is refused before anything changes.
    if (source && mergedSampleCount(doc(), *source, request) > MaxSampleCount) {
        editor_.work().progressEnd();
        return editor_.refuseTooLong();
    }
    if (!editor_.history().push()) return editor_.work().progressEnd();
    if (!fromRecording) editor_.work().progressStart(ProgressPasting);
    if (!source) return pasteFailed(fromRecording);

    const Selection selection = doc().selection;
    std::optional<MergeResult> merged;
    try {
        merged = editor_.work().sampleWork([&] {
            return mergeClip(doc(), *source, request,
                             [this](int step) { editor_.work().progressShow(step); });
        });
    } catch (const std::bad_alloc&) {
        // Out of memory halfway: the snapshot just taken holds the sound as it was. When it
        // cannot be brought back, that is what the user is told.
        const bool putBack = editor_.history().dropLast();
        doc().selection = selection;
        editor_.notifySoundChange(
            {0, int64_t(doc().SampleCount) - 1, true, doc().isStereo(), true, false});
        editor_.work().progressEnd();
        editor_.view().drawWaveform();
        if (putBack) editor_.refuseTooLong();
        return;
    }
    editor_.notifySoundChange(merged->change);

    editor_.work().progressEnd();
    editor_.view().drawWaveform();
    if (fromRecording) {
        editor_.status().setPanel(
            1, editor_.LangText("Het geluid is opgenomen.", "The sound has been recorded."));
        editor_.view().selectNothing();
    } else {
        editor_.status().setPanel(1, editor_.LangText("Klaar met plakken.", "Finished pasting."));
    }
    editor_.status().refreshLengthPanels();
    // Pasting without a selection into a stereo sound changed both channels: the option follows.
    if (merged->channels == 2 && !editor_.options().bothChannels)
        editor_.preferences().toggleOption(&Options::bothChannels);
    editor_.playback().playAfterChange();
}

} // namespace sono
