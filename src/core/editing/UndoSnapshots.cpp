#include "editing/UndoSnapshots.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <new>
#include <string>
#include <system_error>

#include "support/ChannelMemory.h"
#include "support/SideBySide.h"

namespace sono {

namespace {
// Below this a snapshot file is written within a few milliseconds: not worth a thread.
constexpr size_t BackgroundFromBytes = size_t(4) << 20;

size_t sampleBytes(const Document& doc) {
    return size_t(std::max(doc.SampleCount, 0)) * sizeof(int16_t) * (doc.isStereo() ? 2 : 1);
}
} // namespace

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

UndoSnapshots::UndoSnapshots(std::filesystem::path tempDir, std::function<size_t()> availableMemory)
    : tempDir_(std::move(tempDir)), availableMemory_(std::move(availableMemory)) {}

UndoSnapshots::~UndoSnapshots() {
    stopWriting_ = true;
    if (writer_.joinable()) writer_.join();
}

void UndoSnapshots::finishWrite() {
    if (!writer_.joinable()) return;
    writer_.join();
    if (written_) {
        inMemory_.erase(writing_);
    } else {
        // The copy is the level's snapshot now; the file under its number holds an older one.
        std::error_code ignored;
        std::filesystem::remove(undoSnapshotPath(tempDir_, writing_), ignored);
    }
    writing_ = -1;
    stopWriting_ = false;
}

bool UndoSnapshots::takeCopy(Copy& copy, Document& doc, Write write) {
    copy.shape = SnapshotShape(doc);
    // A copy, like the old arrays of an edit, leaves most of the memory free, so that a full disk
    // cannot fill the memory with them.
    if (write != Write::HandingOver && sampleBytes(doc) > availableMemory_() / 4) return false;
    if (write == Write::HandingOver || write == Write::HandingOverOld) {
        copy.left.swap(doc.LeftSamples);
        if (doc.isStereo()) copy.right.swap(doc.RightSamples);
        return true;
    }
    const size_t frames = size_t(std::max(doc.SampleCount, 0));
    try {
        if (doc.isStereo())
            sideBySide([&] { copyChannel(copy.left, doc.LeftSamples, frames); },
                       [&] { copyChannel(copy.right, doc.RightSamples, frames); });
        else
            copyChannel(copy.left, doc.LeftSamples, frames);
        return true;
    } catch (const std::bad_alloc&) {
    }
    copy.left = Samples();
    copy.right = Samples();
    return false;
}

bool UndoSnapshots::keep(int level, Document& doc, Write write) {
    finishWrite();
    trimChannels(doc);
    // The copy's place in the list is made before anything else, so that once the sound has been
    // handed over nothing can fail for want of memory. The level's old snapshot stays until the
    // new one is kept.
    std::map<int, Copy>::node_type slot;
    try {
        std::map<int, Copy> maker;
        maker.try_emplace(level);
        slot = maker.extract(level);
    } catch (const std::bad_alloc&) {
        return false;
    }
    Copy& copy = slot.mapped();
    auto install = [&] {
        inMemory_.erase(level);
        inMemory_.insert(std::move(slot));
    };
    const std::filesystem::path file = undoSnapshotPath(tempDir_, level);

    if (write != Write::AtOnce && sampleBytes(doc) >= BackgroundFromBytes &&
        takeCopy(copy, doc, write)) {
        install();
        writing_ = level;
        written_ = false;
        try {
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
        } catch (const std::system_error&) {
            // No thread to be had: the copy is the way back.
            writing_ = -1;
            std::error_code ignored;
            std::filesystem::remove(file, ignored);
        }
        return true;
    }
    if (writeUndoSnapshot(file, doc)) {
        inMemory_.erase(level);
        return true;
    }
    // The disk failed: the snapshot is kept in memory where there is room for it.
    if (!takeCopy(copy, doc, write)) return false;
    install();
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    return true;
}

SnapshotRead UndoSnapshots::bringBack(int level, Document& doc) {
    // A copy still being written goes into the sound at once instead of waiting for its file.
    if (writing_ == level) {
        stopWriting_ = true;
        finishWrite();
    }
    auto found = inMemory_.find(level);
    if (found == inMemory_.end() || found->second.inSound)
        return readUndoSnapshot(undoSnapshotPath(tempDir_, level), doc);
    Copy& copy = found->second;
    doc.LeftSamples = std::move(copy.left);
    if (copy.shape.format.isStereo()) doc.RightSamples = std::move(copy.right);
    copy.shape.applyTo(doc);
    copy.inSound = true;
    return SnapshotRead::Loaded;
}

void UndoSnapshots::giveBack(int level, Document& doc) {
    auto found = inMemory_.find(level);
    if (found == inMemory_.end() || !found->second.inSound) return;
    Copy& copy = found->second;
    copy.left = std::move(doc.LeftSamples);
    if (copy.shape.format.isStereo()) copy.right = std::move(doc.RightSamples);
    copy.inSound = false;
}

bool UndoSnapshots::holds(int level) const {
    auto found = inMemory_.find(level);
    return found == inMemory_.end() || !found->second.inSound;
}

void UndoSnapshots::forgetAbove(int level) {
    if (writing_ > level) {
        stopWriting_ = true;
        finishWrite();
    }
    inMemory_.erase(inMemory_.upper_bound(level), inMemory_.end());
}

void UndoSnapshots::clear() {
    stopWriting_ = true;
    finishWrite();
    stopWriting_ = false; // also when nothing was being written
    inMemory_.clear();
    deleteUndoSnapshots(tempDir_);
}

} // namespace sono
