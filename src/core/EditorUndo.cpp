// The undo store of the editor: a snapshot file before every change, and Undo and Redo moving
// over those files.
#include <limits>

#include "Editor.h"
#include "document/StatusTexts.h"
#include "editing/UndoStore.h"

namespace sono {

void Editor::ClearUndo() {
    doc_.UndoLevel = 0;
    doc_.RedoLevel = 0;
    deleteUndoSnapshots(folders_.tempDir);
    host_.selectionChanged();
}

bool Editor::undoEnabled() const {
    return !doc_.FileName.empty() && doc_.UndoLevel != 0;
}

bool Editor::redoEnabled() const {
    return !doc_.FileName.empty() && doc_.RedoLevel > doc_.UndoLevel;
}

void Editor::reportSnapshotNotWritten() {
    host_.showMessage(MessageIcon::Critical, ProgramCaption,
                      LangText("De gegevens om ongedaan te maken konden niet worden opgeslagen in "
                               "de tijdelijke map. Er is niets veranderd.",
                               "The undo data could not be written to the temporary folder. "
                               "Nothing has been changed."));
}

bool Editor::PushUndo() {
    // The level is a 16-bit number; one more change than it can count is refused like a full disk.
    if (doc_.UndoLevel == std::numeric_limits<int16_t>::max() ||
        !writeUndoSnapshot(undoSnapshotPath(folders_.tempDir, doc_.UndoLevel), doc_)) {
        reportSnapshotNotWritten();
        return false;
    }
    ++doc_.UndoLevel;
    doc_.RedoLevel = doc_.UndoLevel;
    doc_.Changed = true;
    return true;
}

bool Editor::loadSnapshot(int16_t returnLevel) {
    switch (readUndoSnapshot(undoSnapshotPath(folders_.tempDir, doc_.UndoLevel), doc_)) {
    case SnapshotRead::Loaded:
        return true;
    // Not one of our files: the command ends where it stands, as it always has.
    case SnapshotRead::NotSnapshot:
        return false;
    case SnapshotRead::Damaged:
        break;
    }
    // The sound did not change, so the level goes back to where it was.
    doc_.UndoLevel = returnLevel;
    host_.showMessage(MessageIcon::Critical, ProgramCaption,
                      LangText("De gegevens om ongedaan te maken of te herhalen ontbreken of zijn "
                               "beschadigd. Er is niets veranderd.",
                               "The undo data is missing or damaged. Nothing has been changed."));
    return false;
}

void Editor::showLoadedSnapshot() {
    RefreshStatusPanels();
    MMNiets();
    levelMeterChannel = doc_.isStereo() ? "0" : "1";
    playAfterChange();
    DrawWaveform();
}

void Editor::playAfterChange() {
    // Playback of the changed sound arrives with the transport commands.
}

void Editor::MMundo() {
    doc_.Changed = true;
    if (!undoEnabled()) return;
    host_.stopPlayback();
    const int16_t level = doc_.UndoLevel;
    // The current sound becomes the snapshot Redo brings back; without it there is no undo.
    if (!writeUndoSnapshot(undoSnapshotPath(folders_.tempDir, level), doc_)) {
        reportSnapshotNotWritten();
        return;
    }
    doc_.UndoLevel = int16_t(level - 1);
    if (!loadSnapshot(level)) return;
    showLoadedSnapshot();
    setStatus(
        1, LangText("De laatste wijziging is ongedaan gemaakt.", "The last action has be undone."));
    if (doc_.RedoLevel <= doc_.UndoLevel) doc_.RedoLevel = int16_t(doc_.UndoLevel + 1);
    host_.selectionChanged();
}

void Editor::MMredo() {
    doc_.Changed = true;
    if (!redoEnabled()) return;
    host_.stopPlayback();
    const int16_t level = doc_.UndoLevel;
    doc_.UndoLevel = int16_t(level + 1);
    if (!loadSnapshot(level)) return;
    showLoadedSnapshot();
    setStatus(1,
              LangText("De laatste wijziging is herhaald.", "The last action has been repeated."));
}

} // namespace sono
