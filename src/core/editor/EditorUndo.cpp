// The undo store of the editor: a snapshot file before every change, and Undo and Redo moving
// over those files.
#include <limits>

#include "editing/UndoStore.h"
#include "editor/Editor.h"
#include "support/StatusTexts.h"

namespace sono {

void Editor::clearUndo() {
    doc_.UndoLevel = 0;
    doc_.RedoLevel = 0;
    snapshots_.clear();
    view_.selectionChanged();
}

void Editor::reportSnapshotNotWritten() {
    dialogs_.showMessage(
        MessageIcon::Critical, ProgramCaption,
        LangText("De gegevens om ongedaan te maken konden niet worden opgeslagen in "
                 "de tijdelijke map. Er is niets veranderd.",
                 "The undo data could not be written to the temporary folder. "
                 "Nothing has been changed."));
}

bool Editor::pushUndo(UndoSnapshots::Write write) {
    const int16_t level = doc_.UndoLevel;
    // The level is a 16-bit number; one more change than it can count is refused like a full disk.
    if (level == std::numeric_limits<int16_t>::max() || !snapshots_.keep(level, doc_, write)) {
        reportSnapshotNotWritten();
        return false;
    }
    if (commandRunning_)
        forgetAboveAfterCommand_ = level;
    else
        snapshots_.forgetAbove(level);
    doc_.UndoLevel = int16_t(level + 1);
    doc_.RedoLevel = doc_.UndoLevel;
    doc_.Changed = true;
    return true;
}

bool Editor::dropLastSnapshot() {
    const int16_t level = int16_t(doc_.UndoLevel - 1);
    // A snapshot that cannot be brought back is said, and stays on the list for Undo.
    if (readSnapshot(level, doc_) != SnapshotRead::Loaded) return false;
    doc_.UndoLevel = level;
    doc_.RedoLevel = level;
    return true;
}

SnapshotRead Editor::readSnapshot(int level, Document& into) {
    const SnapshotRead read = snapshots_.bringBack(level, into);
    if (read == SnapshotRead::Damaged)
        dialogs_.showMessage(
            MessageIcon::Critical, ProgramCaption,
            LangText("De gegevens om ongedaan te maken of te herhalen ontbreken of zijn "
                     "beschadigd. Er is niets veranderd.",
                     "The undo data is missing or damaged. Nothing has been changed."));
    return read;
}

// The sound to go to is read before anything changes; then the sound left behind is kept as its
// level's snapshot (handed over, so that it costs no memory), which Undo always does, since Redo
// brings it back, and Redo does when that snapshot went into the sound. True when the sound was
// replaced.
bool Editor::stepThroughHistory(int16_t target) {
    stop();
    const int16_t level = doc_.UndoLevel;
    const bool keepLeaving = target < level || !snapshots_.holds(level);
    Document arriving;
    const SnapshotRead read = readSnapshot(target, arriving);
    if (read == SnapshotRead::Damaged) return false;
    if (keepLeaving &&
        !snapshots_.keep(level, doc_,
                         read == SnapshotRead::Loaded ? UndoSnapshots::Write::HandingOver
                                                      : UndoSnapshots::Write::AtOnce)) {
        snapshots_.giveBack(target, arriving);
        reportSnapshotNotWritten();
        return false;
    }
    doc_.UndoLevel = target;
    // Not one of our files: the command ends where it stands, as it always has.
    if (read == SnapshotRead::NotSnapshot) return false;
    installSound(takeSound(arriving));
    selectNothing();
    playAfterChange();
    drawWaveform();
    return true;
}

void Editor::undo() {
    doc_.Changed = true;
    if (!enabled(EnabledRule::UndoAvailable)) return;
    if (!stepThroughHistory(int16_t(doc_.UndoLevel - 1))) return;
    setStatus(
        1, LangText("De laatste wijziging is ongedaan gemaakt.", "The last action has be undone."));
    if (doc_.RedoLevel <= doc_.UndoLevel) doc_.RedoLevel = int16_t(doc_.UndoLevel + 1);
    view_.selectionChanged();
}

void Editor::redo() {
    doc_.Changed = true;
    if (!enabled(EnabledRule::RedoAvailable)) return;
    if (!stepThroughHistory(int16_t(doc_.UndoLevel + 1))) return;
    setStatus(1,
              LangText("De laatste wijziging is herhaald.", "The last action has been repeated."));
}

} // namespace sono
