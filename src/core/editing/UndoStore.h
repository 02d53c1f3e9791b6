#pragma once
// Whole-sound snapshots of the undo history, one file per level in the temporary folder:
//   "UND0", SampleCount (int32), BitsPerSample, SampleRate, Channels (float32 each),
//   LeftSamples, then RightSamples for a stereo sound (int16 each), little-endian.
// Samples of an 8-bit sound are stored as held, 0..255 in 16-bit slots.
#include <atomic>
#include <filesystem>
#include <optional>
#include <vector>

#include "document/Document.h"

namespace sono {

// "<tempDir>/Sonoplexer UndoData 0.dat" for level 0: the number carries its leading blank.
std::filesystem::path undoSnapshotPath(const std::filesystem::path& tempDir, int level);

// The format fields of a snapshot.
struct SnapshotShape {
    int32_t frames = 0;
    SoundFormat format;
    SnapshotShape() = default;
    explicit SnapshotShape(const Document& doc) : frames(doc.SampleCount), format(doc.format()) {}
    // Gives the document this count and format (its samples are the caller's business).
    void applyTo(Document& doc) const {
        doc.SampleCount = frames;
        doc.format() = format;
    }
};

// Trims the live arrays to SampleCount frames (the right one only for stereo), keeping at least
// one slot, as a snapshot holds them.
void trimChannels(Document& doc);

// Writes a snapshot of `shape.frames` frames from `left` (and `right` for stereo). It replaces
// the file only once complete: false, with the old file as it was, when it could not be written
// completely or `stop` turned true on the way.
bool writeSnapshotFile(const std::filesystem::path& file, const SnapshotShape& shape,
                       const int16_t* left, const int16_t* right,
                       const std::atomic<bool>* stop = nullptr);

// Trims the live arrays (trimChannels), then writes the sound as the snapshot file, as
// writeSnapshotFile does.
bool writeUndoSnapshot(const std::filesystem::path& file, Document& doc);

enum class SnapshotRead {
    Loaded,
    NotSnapshot, // the first four bytes are not "UND0": nothing was read
    Damaged,     // missing, shorter than its header says, or a header no sound can have
};

// Replaces count, format and samples of doc only when the whole snapshot could be read. A mono
// snapshot leaves RightSamples as they were.
SnapshotRead readUndoSnapshot(const std::filesystem::path& file, Document& doc);

// The snapshots in `tempDirs`, found by their names, the one written last first: after a crash
// the first that reads whole holds the latest state of the sound that the store kept.
std::vector<std::filesystem::path>
undoSnapshotsNewestFirst(const std::vector<std::filesystem::path>& tempDirs);

// Deletes every snapshot in the folder, whatever its number.
void deleteUndoSnapshots(const std::filesystem::path& tempDir);

} // namespace sono
