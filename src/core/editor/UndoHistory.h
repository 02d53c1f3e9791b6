#pragma once
// The undo history: a snapshot of the whole sound before every change, and Undo and Redo moving
// a level over those snapshots. The levels themselves are the document's (UndoLevel, RedoLevel),
// so that the command state reads them where it reads everything else; the snapshots are kept
// here.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "document/Document.h"
#include "document/NewSound.h"
#include "editing/UndoSnapshots.h"
#include "ports/UserDialogs.h"
#include "ports/ViewObserver.h"

namespace sono {

class Editor;

class UndoHistory {
  public:
    UndoHistory(Editor& editor, UserDialogs& dialogs, ViewObserver& view,
                std::filesystem::path tempDir, std::function<size_t()> availableMemory);

    // Forgets every level, snapshot files included.
    void clear();
    // Takes the snapshot every edit starts with and marks the sound changed. False when the
    // snapshot could be kept neither on disk nor in memory: the edit must then be refused (the
    // user has been told). An edit that made the sound's new arrays beside the old ones hands the
    // old ones over (UndoSnapshots::Write::HandingOverOld) instead of having them copied.
    bool push(UndoSnapshots::Write write = UndoSnapshots::Write::InBackground);
    // Takes back the snapshot push just took, for an edit that could not be carried out: the
    // sound returns to what it was and the level to what it was. False (the user has been told)
    // when the snapshot could not be brought back.
    bool dropLast();
    // The end of a command of the table: the snapshots above the level an edit of the command
    // started from are let go now, unless the command was cancelled.
    void commandEnded(bool cancelled);
    void undo();
    void redo();
    // Offers the sound that a run which ended unexpectedly kept last; when the user takes it, it
    // becomes the unsaved untitled sound. True when it was taken.
    bool offerRecovery(NewSound crashed);

  private:
    void reportSnapshotNotWritten();
    // Brings back the snapshot of `level` into `into`; says so when it is missing or damaged.
    SnapshotRead readSnapshot(int level, Document& into);
    bool keep(int level, Document& doc, UndoSnapshots::Write write);
    bool stepThroughHistory(int16_t target);

    Editor& editor_;
    UserDialogs& dialogs_;
    ViewObserver& view_;
    UndoSnapshots snapshots_;
    // A new edit lets go of the snapshots above it only once it is carried out: a cancelled one
    // leaves Redo as it was.
    std::optional<int16_t> forgetAboveAfterCommand_;
};

// The sound kept last in the work folders of runs that ended unexpectedly, read before the
// folders are cleared (nullopt when they kept none that can be read).
std::optional<NewSound> readCrashedSound(const std::vector<std::filesystem::path>& crashedFolders);

} // namespace sono
