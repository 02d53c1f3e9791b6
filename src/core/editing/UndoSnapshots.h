#pragma once
// The undo history's snapshots as the editor keeps them. Every level of the history can be
// reached at every moment: a snapshot lives in its file, or, while that file is being written or
// when it could not be written, in memory.
//
// A snapshot of a long sound is taken as a copy in memory and written to its file on a thread of
// its own, so that an edit waits for a memory copy instead of for the disk; the copy is let go as
// soon as its file is whole. When the disk fails (full, or past a size limit) the copy stays as
// the way back to its level. A new copy is taken only while it leaves most of the memory free; a
// sound that is handed over (at Undo and Redo) costs no memory at all.
#include <atomic>
#include <filesystem>
#include <functional>
#include <map>
#include <thread>

#include "document/Document.h"
#include "editing/UndoStore.h"

namespace sono {

// The memory the system can still give without swapping, in bytes (0 when unknown).
size_t availableMemoryBytes();

class UndoSnapshots {
  public:
    explicit UndoSnapshots(std::filesystem::path tempDir,
                           std::function<size_t()> availableMemory = availableMemoryBytes);
    ~UndoSnapshots(); // a write under way is stopped and its file left as it was
    UndoSnapshots(const UndoSnapshots&) = delete;
    UndoSnapshots& operator=(const UndoSnapshots&) = delete;

    enum class Write {
        InBackground,   // from a copy, for a long sound
        HandingOver,    // from the sound's own arrays: the caller then gives the document other
                        // arrays (an empty array may stand in until then)
        HandingOverOld, // the same for an edit that made the sound's new arrays beside the old
                        // ones; kept in memory only under the rule for copies, since the edit
                        // goes on
        AtOnce,
    };
    // Keeps the sound (its arrays trimmed to SampleCount) as the snapshot of `level`, replacing
    // the one it had only once the new one is kept. False when it could be kept neither in its
    // file nor in memory; the sound and every snapshot are then as they were. Handing over (not
    // HandingOverOld) only fails when not even a few bytes of memory are left.
    bool keep(int level, Document& doc, Write write);
    // Replaces the sound by the snapshot of `level`, as readUndoSnapshot does. A snapshot held
    // in memory goes into the sound itself: the level is then no longer held (holds() is false)
    // until it is kept again or given back.
    SnapshotRead bringBack(int level, Document& doc);
    // Returns the sound that bringBack took from memory to its level, as it was.
    void giveBack(int level, Document& doc);
    // False only for a level whose snapshot went into the sound.
    bool holds(int level) const;
    // Lets go of the copies of levels above `level`, which no Redo can reach any more.
    void forgetAbove(int level);
    // Drops every snapshot, in memory and on disk.
    void clear();

  private:
    struct Copy {
        SnapshotShape shape;
        Samples left, right;
        bool inSound = false; // its arrays went into the sound at bringBack
    };
    // A copy of the sound's samples, or its own arrays when handed over; false when memory does
    // not allow one.
    bool takeCopy(Copy& copy, Document& doc, Write write);
    // Waits for the write under way; a copy whose file failed stays as its level's way back.
    void finishWrite();

    std::filesystem::path tempDir_;
    std::function<size_t()> availableMemory_;
    std::map<int, Copy> inMemory_; // by level: copies being written or whose file failed
    std::thread writer_;
    int writing_ = -1; // the level the writer writes
    std::atomic<bool> stopWriting_{false};
    bool written_ = false; // the writer's outcome, read after joining it
};

} // namespace sono
