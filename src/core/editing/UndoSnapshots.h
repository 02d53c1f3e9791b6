#pragma once
// The undo history's snapshots as the editor keeps them. A snapshot of a long sound is taken as a
// copy in memory and written to its file on a thread of its own, so that an edit waits for a
// memory copy instead of for the disk. The copy is let go as soon as its file is whole; while it
// is being written, or when it could not be written, the copy itself is the way back to its
// level. One copy at a time is written: the next snapshot waits for the write before it.
#include <atomic>
#include <filesystem>
#include <memory>
#include <thread>

#include "document/Document.h"
#include "editing/UndoStore.h"

namespace sono {

class UndoSnapshots {
  public:
    explicit UndoSnapshots(std::filesystem::path tempDir);
    ~UndoSnapshots(); // a write under way is stopped and its file removed
    UndoSnapshots(const UndoSnapshots&) = delete;
    UndoSnapshots& operator=(const UndoSnapshots&) = delete;

    enum class Write {
        InBackground, // from a copy, for a long sound
        HandingOver,  // from the sound's own arrays, for a long sound: the caller then gives the
                      // document other arrays (an empty array stands in until then)
        AtOnce,
    };
    // Keeps the sound (its arrays trimmed to SampleCount) as the snapshot of `level`. False when
    // it could be kept neither in memory nor in its file; the sound is then as it was.
    bool keep(int level, Document& doc, Write write);
    // Replaces the sound by the snapshot of `level`, as readUndoSnapshot does.
    SnapshotRead bringBack(int level, Document& doc);
    // Drops every snapshot, in memory and on disk.
    void clear();

  private:
    struct Copy {
        int level;
        SnapshotShape shape;
        Samples left, right;
    };
    // Waits for the write under way; a copy whose file failed stays as its level's way back.
    void finishWrite();

    std::filesystem::path tempDir_;
    std::thread writer_;
    std::atomic<bool> stopWriting_{false};
    bool written_ = false;            // the writer's outcome, read after joining it
    std::unique_ptr<Copy> inFlight_;  // the copy being written
    std::unique_ptr<Copy> unwritten_; // a copy whose file could not be written
};

} // namespace sono
