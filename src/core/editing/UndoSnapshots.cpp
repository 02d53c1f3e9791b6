#include "editing/UndoSnapshots.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <new>
#include <string>
#include <system_error>

#include "document/ChannelMemory.h"
#include "document/SideBySide.h"

namespace sono {

namespace {
// Below this a snapshot file is written within a few milliseconds: not worth a thread.
constexpr size_t BackgroundFromBytes = size_t(4) << 20;

// What the kernel reckons it can give without swapping (MemAvailable), 0 when unknown.
size_t availableMemoryBytes() {
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    size_t kilobytes = 0;
    while (meminfo >> key >> kilobytes) {
        if (key == "MemAvailable:") return kilobytes * 1024;
        meminfo.ignore(64, '\n');
    }
    return 0;
}
} // namespace

UndoSnapshots::UndoSnapshots(std::filesystem::path tempDir) : tempDir_(std::move(tempDir)) {}

UndoSnapshots::~UndoSnapshots() {
    stopWriting_ = true;
    if (writer_.joinable()) writer_.join();
}

void UndoSnapshots::finishWrite() {
    if (!writer_.joinable()) return;
    writer_.join();
    if (!written_ && !stopWriting_) unwritten_ = std::move(inFlight_);
    inFlight_.reset();
    stopWriting_ = false;
}

bool UndoSnapshots::keep(int level, Document& doc, Write write) {
    finishWrite();
    if (unwritten_ && unwritten_->level == level) unwritten_.reset();
    trimChannels(doc);
    const size_t frames = size_t(std::max(doc.SampleCount, 0));
    const std::filesystem::path file = undoSnapshotPath(tempDir_, level);

    // A copy is taken only while no other one is held for a failed write (a full disk would
    // otherwise fill the memory with them) and, when it is new memory, while it leaves most of
    // the memory free.
    const bool handOver = write == Write::HandingOver;
    const size_t bytes = frames * sizeof(int16_t) * (doc.isStereo() ? 2 : 1);
    if (write != Write::AtOnce && !unwritten_ && bytes >= BackgroundFromBytes &&
        (handOver || bytes <= availableMemoryBytes() / 4)) {
        try {
            inFlight_ = std::make_unique<Copy>(Copy{level, SnapshotShape(doc), {}, {}});
            Copy& copy = *inFlight_;
            if (handOver) {
                copy.left.swap(doc.LeftSamples);
                if (doc.isStereo()) copy.right.swap(doc.RightSamples);
            } else if (doc.isStereo()) {
                sideBySide([&] { copyChannel(copy.left, doc.LeftSamples, frames); },
                           [&] { copyChannel(copy.right, doc.RightSamples, frames); });
            } else {
                copyChannel(copy.left, doc.LeftSamples, frames);
            }
            writer_ = std::thread([this, job = &copy, file] {
                // The edit that follows, and the user, come first: the file has all the idle
                // time there is.
                setpriority(PRIO_PROCESS, pid_t(syscall(SYS_gettid)), 19);
                written_ = writeSnapshotFile(file, job->shape, job->left.data(), job->right.data(),
                                             &stopWriting_);
                if (!written_) return;
                // Assigned empty arrays, so their memory goes back at once.
                job->left = Samples();
                job->right = Samples();
            });
            return true;
        } catch (const std::bad_alloc&) {
        } catch (const std::system_error&) { // no thread to be had
        }
        // Whatever was handed over goes back for the write at once.
        if (handOver && inFlight_) {
            doc.LeftSamples.swap(inFlight_->left);
            if (doc.isStereo()) doc.RightSamples.swap(inFlight_->right);
        }
        inFlight_.reset();
    }
    return writeUndoSnapshot(file, doc);
}

SnapshotRead UndoSnapshots::bringBack(int level, Document& doc) {
    if (inFlight_ && inFlight_->level == level) finishWrite();
    if (!unwritten_ || unwritten_->level != level)
        return readUndoSnapshot(undoSnapshotPath(tempDir_, level), doc);
    const Copy& copy = *unwritten_;
    const size_t frames = size_t(copy.shape.frames);
    try {
        Samples left, right;
        copyChannel(left, copy.left, frames);
        if (copy.shape.channels == 2) copyChannel(right, copy.right, frames);
        doc.LeftSamples = std::move(left);
        if (copy.shape.channels == 2) doc.RightSamples = std::move(right);
    } catch (const std::bad_alloc&) {
        return SnapshotRead::Damaged;
    }
    copy.shape.applyTo(doc);
    return SnapshotRead::Loaded;
}

void UndoSnapshots::clear() {
    stopWriting_ = true;
    finishWrite();
    stopWriting_ = false; // also when nothing was being written
    unwritten_.reset();
    deleteUndoSnapshots(tempDir_);
}

} // namespace sono
