// The paste commands: the clip file, or a recording, merged into the sound.
#include <new>

#include "Editor.h"
#include "document/Progress.h"
#include "document/StatusTexts.h"
#include "editing/ClipFile.h"
#include "editing/PasteEngine.h"
#include "editing/UndoStore.h"

namespace sono {

bool Editor::pasteEnabled() const {
    std::error_code error;
    return !doc_.FileName.empty() && std::filesystem::exists(clipFilePath(folders_.tempDir), error);
}

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
        host_.showMessage(MessageIcon::Critical, ProgramCaption,
                          LangText("Er is iets fout gegaan bij het opnemen.",
                                   "An error has occured while recording."));
        return;
    }
    const std::string text =
        LangText("Vanwege een fout kunt u niet plakken.", "Due to an error, you cannot paste.");
    setStatus(1, text);
    host_.showMessage(MessageIcon::Critical, ProgramCaption, text);
}

void Editor::PasteClip(bool Mix, bool Overlap, bool FromRecording) {
    if (!FromRecording) {
        if (!pasteEnabled()) return;
        host_.stopPlayback();
    }
    if (!PushUndo()) return;
    ProgressStart(FromRecording ? ProgressRecording : ProgressPasting);
    // Both sources arrive as the same clip; the recorded file's reader fills it for a recording.
    std::optional<ClipSource> source;
    if (!FromRecording) source = readClipFile(clipFilePath(folders_.tempDir));
    if (!source) return pasteFailed(FromRecording);

    const PasteRequest request{Mix, Overlap, settings_.options.bothChannels, FromRecording};
    const float selStart = doc_.SelStart;
    const float selEnd = doc_.SelEnd;
    std::optional<int> targetChannels;
    try {
        targetChannels =
            mergeClip(doc_, *source, request, [this](int step) { ProgressShow(step); });
    } catch (const std::bad_alloc&) {
        // Out of memory halfway: the snapshot just taken holds the sound as it was.
        readUndoSnapshot(undoSnapshotPath(folders_.tempDir, doc_.UndoLevel - 1), doc_);
        doc_.SelStart = selStart;
        doc_.SelEnd = selEnd;
    }
    if (!targetChannels) return pasteFailed(FromRecording);

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
    if (*targetChannels == 2 && !settings_.options.bothChannels) MMbeide();
    playAfterChange();
}

} // namespace sono
