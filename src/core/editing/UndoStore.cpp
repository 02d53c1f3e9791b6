#include "editing/UndoStore.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <new>

#include "formats/ByteFile.h"
#include "support/ChannelMemory.h"
#include "support/Numbers.h"

namespace sono {

namespace {
constexpr char Magic[4] = {'U', 'N', 'D', '0'};
constexpr int64_t HeaderSize = 20;

uint32_t floatBits(float value) {
    return std::bit_cast<uint32_t>(value);
}
float bitsFloat(uint32_t bits) {
    return std::bit_cast<float>(bits);
}
} // namespace

std::filesystem::path undoSnapshotPath(const std::filesystem::path& tempDir, int level) {
    return tempDir / ("Sonoplexer UndoData" + numberText(double(level)) + ".dat");
}

bool writeSnapshotFile(const std::filesystem::path& file, const SnapshotShape& shape,
                       const int16_t* left, const int16_t* right, const std::atomic<bool>* stop) {
    std::string header(Magic, 4);
    appendLE32(header, uint32_t(shape.frames));
    appendLE32(header, floatBits(shape.format.BitsPerSample));
    appendLE32(header, floatBits(shape.format.SampleRate));
    appendLE32(header, floatBits(shape.format.Channels));
    ReplacingFile out(file.string(), ReplacingFile::Kind::WorkFile);
    out.write(header.data(), header.size());
    // In pieces, so a write on another thread can be stopped without waiting for all of it.
    constexpr size_t Piece = size_t(1) << 21;
    const size_t frames = size_t(std::max(shape.frames, 0));
    for (const int16_t* channel : {left, shape.format.isStereo() ? right : nullptr}) {
        for (size_t done = 0; channel && done < frames; done += Piece) {
            if (stop && stop->load(std::memory_order_relaxed)) return false;
            writeSampleBlock(out, channel + done, std::min(Piece, frames - done));
        }
    }
    return out.commit();
}

void trimChannels(Document& doc) {
    const size_t slots = size_t(std::max(doc.SampleCount, 1));
    doc.LeftSamples.resize(slots, 0);
    if (doc.isStereo()) doc.RightSamples.resize(slots, 0);
}

bool writeUndoSnapshot(const std::filesystem::path& file, Document& doc) {
    trimChannels(doc);
    return writeSnapshotFile(file, SnapshotShape(doc), doc.LeftSamples.data(),
                             doc.RightSamples.data());
}

SnapshotRead readUndoSnapshot(const std::filesystem::path& file, Document& doc) {
    auto in = InputFile::open(file.string(), InputFile::Links::Refuse);
    if (!in) return SnapshotRead::Damaged;
    uint8_t header[HeaderSize];
    if (in->read(header, 4) < 4) return SnapshotRead::Damaged;
    if (std::memcmp(header, Magic, 4) != 0) return SnapshotRead::NotSnapshot;
    if (in->read(header + 4, HeaderSize - 4) < HeaderSize - 4) return SnapshotRead::Damaged;

    const int32_t count = int32_t(readLE32(header + 4));
    const float bits = bitsFloat(readLE32(header + 8));
    const float rate = bitsFloat(readLE32(header + 12));
    const float channels = bitsFloat(readLE32(header + 16));
    if (count < 0 || (bits != 8 && bits != 16) || (channels != 1 && channels != 2) ||
        !std::isfinite(rate) || rate <= 0)
        return SnapshotRead::Damaged;
    // The size check comes before any allocation, so a damaged count cannot ask for memory.
    const int64_t sampleBytes = int64_t(count) * 2 * int64_t(channels);
    if (in->size() < HeaderSize + sampleBytes) return SnapshotRead::Damaged;

    try {
        Samples left, right;
        allocateChannel(left, std::max<size_t>(size_t(count), 1), 0);
        if (!readSampleBlock(*in, left.data(), size_t(count))) return SnapshotRead::Damaged;
        if (channels == 2) {
            allocateChannel(right, std::max<size_t>(size_t(count), 1), 0);
            if (!readSampleBlock(*in, right.data(), size_t(count))) return SnapshotRead::Damaged;
        }
        SnapshotShape shape;
        shape.frames = count;
        shape.format = {channels, rate, bits};
        shape.applyTo(doc);
        doc.LeftSamples = std::move(left);
        if (channels == 2) doc.RightSamples = std::move(right);
    } catch (const std::bad_alloc&) {
        return SnapshotRead::Damaged;
    }
    return SnapshotRead::Loaded;
}

namespace {
// The snapshots in one folder, whatever their numbers: a level whose file could not be written
// leaves a gap that must not hide the levels above it.
std::vector<std::filesystem::path> undoSnapshotsIn(const std::filesystem::path& tempDir) {
    static const std::string prefix = "Sonoplexer UndoData ", suffix = ".dat";
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(tempDir, error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) ||
            !name.ends_with(suffix))
            continue;
        const std::string number =
            name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
        if (number.size() <= 5 &&
            std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
            files.push_back(entry.path());
    }
    return files;
}
} // namespace

std::vector<std::filesystem::path>
undoSnapshotsNewestFirst(const std::vector<std::filesystem::path>& tempDirs) {
    std::vector<std::pair<std::filesystem::file_time_type, std::filesystem::path>> found;
    std::error_code error;
    for (const auto& tempDir : tempDirs) {
        for (std::filesystem::path& file : undoSnapshotsIn(tempDir)) {
            if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(file, error)))
                continue;
            const auto written = std::filesystem::last_write_time(file, error);
            if (!error) found.emplace_back(written, std::move(file));
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<std::filesystem::path> files;
    for (auto& entry : found)
        files.push_back(std::move(entry.second));
    return files;
}

void deleteUndoSnapshots(const std::filesystem::path& tempDir) {
    std::error_code ignored;
    for (const std::filesystem::path& file : undoSnapshotsIn(tempDir))
        std::filesystem::remove(file, ignored);
}

} // namespace sono
