#pragma once
// Small helpers for the program's little-endian binary files: bounded reads from an open file
// and a writer that replaces its target only once the new contents are complete.
#include <bit>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace sono {

// Read-only file with its size known up front, so that every size taken from a header can be
// checked against what is really there before anything is allocated.
class InputFile {
  public:
    enum class Links { Follow, Refuse };
    // nullptr when the file cannot be opened or is not a regular file (a FIFO is refused
    // without waiting for a writer). Work files are opened with Links::Refuse, so a link planted
    // in a shared folder under a work file's name is never read through.
    static std::unique_ptr<InputFile> open(const std::string& path, Links links = Links::Follow);
    ~InputFile();

    int64_t size() const { return size_; }
    int64_t position() const { return position_; }
    bool seek(int64_t position);
    // Reads up to count bytes; returns how many were read (fewer only at the end of the file).
    size_t read(void* buffer, size_t count);
    // The same from `position`, leaving the position as it is, so that several threads can read
    // parts of one file at once.
    size_t readAt(int64_t position, void* buffer, size_t count) const;

  private:
    InputFile(std::FILE* file, int64_t size) : file_(file), size_(size) {}
    std::FILE* file_;
    int64_t size_;
    int64_t position_ = 0;
};

// The whole of a regular file of at most `largest` bytes; nullopt for anything else: a FIFO or
// device is not waited for, a larger file is not read.
std::optional<std::string> readSmallFile(const std::string& path, int64_t largest);

inline uint32_t readLE32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline uint16_t readLE16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
inline void appendLE32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out += char((v >> (8 * i)) & 0xFF);
}
inline void appendLE16(std::string& out, uint16_t v) {
    out += char(v & 0xFF);
    out += char(v >> 8);
}

// Runs of 16-bit samples are stored little-endian and moved in a single read or write,
// converted only on a big-endian machine.
template <class Writer> void writeSampleBlock(Writer& file, const int16_t* samples, size_t count) {
    if constexpr (std::endian::native == std::endian::little) {
        file.write(samples, count * 2);
    } else {
        std::vector<uint8_t> bytes(count * 2);
        for (size_t i = 0; i < count; ++i) {
            bytes[2 * i] = uint8_t(uint16_t(samples[i]) & 0xFF);
            bytes[2 * i + 1] = uint8_t(uint16_t(samples[i]) >> 8);
        }
        file.write(bytes.data(), bytes.size());
    }
}

// False when the file ends before count samples; those it does hold are read all the same.
inline bool readSampleBlock(InputFile& file, int16_t* samples, size_t count) {
    const bool complete = file.read(samples, count * 2) == count * 2;
    if constexpr (std::endian::native == std::endian::big)
        for (size_t i = 0; i < count; ++i)
            samples[i] = int16_t(readLE16(reinterpret_cast<const uint8_t*>(samples + i)));
    return complete;
}

// Why a file could not be written, for the message that says so.
enum class WriteFailure {
    None,
    NoSpace,      // the disk (or the user's quota) is full
    TooLarge,     // past the largest file the system or a limit allows
    NoPermission, // no permission to write there, a read-only file or file system
    NameTooLong,
    NotRegular, // a folder, FIFO or device stands under the name
    Other,
};
WriteFailure writeFailureOf(int errorNumber);

// What stands at a path the user asked to save to. Links are followed: saving through a
// symbolic link writes the file it names.
enum class SaveTarget {
    Missing, // nothing there yet: a new file is made
    Replaceable,
    ReadOnly,   // its permission forbids writing
    NotRegular, // a folder, FIFO, device, ...
};
SaveTarget inspectSaveTarget(const std::string& target);
// The target of a save with symbolic links resolved (the path as given when it cannot be).
std::string resolvedSaveTarget(const std::string& target);

// Makes an empty hidden file beside `target` (already resolved) for an outside program to write
// the new contents into, named as ReplacingFile names its files so that a later save removes it
// when this process is gone, with the permission bits the target has. Empty on failure.
std::string makePartialBeside(const std::string& target);

// Writes a new file beside the target and puts it in the target's place on commit(), so that a
// failed or killed write never destroys what was there: the new contents live in an unnamed file
// (or, where the file system has none, a hidden one) until they are complete. A target with
// other hard links is replaced all the same: those names keep the old contents, whole. A hidden
// file that a killed save left in the folder is removed.
class ReplacingFile {
  public:
    enum class Kind {
        // A file the user named: what a link points to is written, a read-only or non-regular
        // target is refused (ok() is false at once), the old file's permission bits are kept and
        // the new contents are on the disk when commit() returns.
        UserFile,
        // The program's own settings: whatever stands under the name (a link, a FIFO) is
        // replaced by a regular file, on the disk when commit() returns.
        SettingsFile,
        // A work file in the program's private folder: replaced like a settings file, but not
        // synced, since it only has to outlive a crash of the program, not of the machine.
        WorkFile,
    };
    explicit ReplacingFile(const std::string& target, Kind kind = Kind::UserFile);
    ~ReplacingFile(); // removes the unfinished file unless committed
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool ok() const { return failure_ == WriteFailure::None; }
    WriteFailure failure() const { return failure_; }
    void write(const void* data, size_t count);
    bool commit();

  private:
    bool openTemporary(mode_t mode);
    bool giveName();
    void fail(int errorNumber);

    std::string target_;
    std::string folder_;
    std::string temporary_; // empty while the new file has no name
    std::FILE* file_ = nullptr;
    bool sync_ = true;
    WriteFailure failure_ = WriteFailure::None;
    bool committed_ = false;
};

} // namespace sono
