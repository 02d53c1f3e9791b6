#include "editor/UndoHistory.h"

#include <limits>

#include "editing/UndoStore.h"
#include "editor/Editor.h"
#include "support/StatusTexts.h"

namespace sono {

UndoHistory::UndoHistory(Editor& editor, UserDialogs& dialogs, ViewObserver& view,
                         std::filesystem::path tempDir, std::function<size_t()> availableMemory)
    : editor_(editor), dialogs_(dialogs), view_(view),
      snapshots_(std::move(tempDir), std::move(availableMemory)) {}

void UndoHistory::clear() {
    Document& doc = editor_.doc();
    doc.UndoLevel = 0;
    doc.RedoLevel = 0;
    snapshots_.clear();
    view_.selectionChanged();
}

void UndoHistory::reportSnapshotNotWritten() {
    dialogs_.showMessage(
        MessageIcon::Critical, ProgramCaption,
        editor_.LangText("De gegevens om ongedaan te maken konden niet worden opgeslagen in "
                         "de tijdelijke map. Er is niets veranderd.",
                         "The undo data could not be written to the temporary folder. "
                         "Nothing has been changed."));
}

bool UndoHistory::push(UndoSnapshots::Write write) {
    Document& doc = editor_.doc();
    const int16_t level = doc.UndoLevel;
    // The level is a 16-bit number; one more change than it can count is refused like a full disk.
    if (level == std::numeric_limits<int16_t>::max() || !keep(level, doc, write)) {
        reportSnapshotNotWritten();
        return false;
    }
    if (editor_.commandRunning())
        forgetAboveAfterCommand_ = level;
    else
        snapshots_.forgetAbove(level);
    doc.UndoLevel = int16_t(level + 1);
    doc.RedoLevel = doc.UndoLevel;
    doc.Changed = true;
    return true;
}

bool UndoHistory::dropLast() {
    Document& doc = editor_.doc();
    const int16_t level = int16_t(doc.UndoLevel - 1);
    // A snapshot that cannot be brought back is said, and stays on the list for Undo.
    if (readSnapshot(level, doc) != SnapshotRead::Loaded) return false;
    doc.UndoLevel = level;
    doc.RedoLevel = level;
    return true;
}

bool UndoHistory::keep(int level, Document& doc, UndoSnapshots::Write write) {
    // Copying or writing a long sound is long work.
    return editor_.work().sampleWork([&] { return snapshots_.keep(level, doc, write); });
}

void UndoHistory::commandEnded(bool cancelled) {
    // Kept when cancelled: the snapshots above are then Redo's again.
    if (forgetAboveAfterCommand_ && !cancelled) snapshots_.forgetAbove(*forgetAboveAfterCommand_);
    forgetAboveAfterCommand_.reset();
}

SnapshotRead UndoHistory::readSnapshot(int level, Document& into) {
    // Reading a long sound back is long work.
    const SnapshotRead read =
        editor_.work().sampleWork([&] { return snapshots_.bringBack(level, into); });
    if (read == SnapshotRead::Damaged)
        dialogs_.showMessage(
            MessageIcon::Critical, ProgramCaption,
            editor_.LangText("De gegevens om ongedaan te maken of te herhalen ontbreken of zijn "
                             "beschadigd. Er is niets veranderd.",
                             "The undo data is missing or damaged. Nothing has been changed."));
    return read;
}

// The sound to go to is read before anything changes; then the sound left behind is kept as its
// level's snapshot (handed over, so that it costs no memory), which Undo always does, since Redo
// brings it back, and Redo does when that snapshot went into the sound. True when the sound was
// replaced.
bool UndoHistory::stepThroughHistory(int16_t target) {
    editor_.playback().stop();
    Document& doc = editor_.doc();
    const int16_t level = doc.UndoLevel;
    const bool keepLeaving = target < level || !snapshots_.holds(level);
    Document arriving;
    const SnapshotRead read = readSnapshot(target, arriving);
    if (read == SnapshotRead::Damaged) return false;
    if (keepLeaving && !keep(level, doc,
                             read == SnapshotRead::Loaded ? UndoSnapshots::Write::HandingOver
                                                          : UndoSnapshots::Write::AtOnce)) {
        snapshots_.giveBack(target, arriving);
        reportSnapshotNotWritten();
        return false;
    }
    doc.UndoLevel = target;
    // Not one of our files: the command ends where it stands, as it always has.
    if (read == SnapshotRead::NotSnapshot) return false;
    editor_.installSound(takeSound(arriving));
    editor_.view().selectNothing();
    editor_.playback().playAfterChange();
    editor_.view().drawWaveform();
    return true;
}

void UndoHistory::undo() {
    Document& doc = editor_.doc();
    doc.Changed = true;
    if (!editor_.enabled(EnabledRule::UndoAvailable)) return;
    if (!stepThroughHistory(int16_t(doc.UndoLevel - 1))) return;
    editor_.status().setPanel(1, editor_.LangText("De laatste wijziging is ongedaan gemaakt.",
                                                  "The last action has be undone."));
    if (doc.RedoLevel <= doc.UndoLevel) doc.RedoLevel = int16_t(doc.UndoLevel + 1);
    view_.selectionChanged();
}

void UndoHistory::redo() {
    Document& doc = editor_.doc();
    doc.Changed = true;
    if (!editor_.enabled(EnabledRule::RedoAvailable)) return;
    if (!stepThroughHistory(int16_t(doc.UndoLevel + 1))) return;
    editor_.status().setPanel(1, editor_.LangText("De laatste wijziging is herhaald.",
                                                  "The last action has been repeated."));
}

} // namespace sono
