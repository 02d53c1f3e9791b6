#pragma once
// The sound card as the transport uses it: one WAV file at a time, opened for playing or created
// for recording, driven by commands, and polled for its position. Positions and lengths are in
// milliseconds from the start of the open file. Every command is harmless when nothing is open.
#include <cstdint>
#include <string>

namespace sono {

class WaveDevice {
  public:
    enum class Purpose { Play, Record };

    virtual ~WaveDevice() = default;

    // The rate and channel count a recording should have; the device records 16-bit in that
    // format when it can, else in its own.
    virtual void setRecordingFormat(int /*rate*/, int /*channels*/) {}
    // Opens an existing WAV file to play, or names the file a recording will be saved to. False
    // when the device or the file cannot be opened.
    virtual bool open(const std::string& path, Purpose purpose) = 0;
    // Plays from the current position to the end, without waiting.
    virtual void play() = 0;
    // Ends playing or recording; the position stays.
    virtual void stop() = 0;
    // Releases the file and the device.
    virtual void close() = 0;
    // Starts recording, without waiting, in the device's own format.
    virtual void record() = 0;
    // Writes what was recorded to the file named at open; false when it could not be written
    // whole (no file is left then).
    virtual bool save() = 0;
    // The next play starts there.
    virtual void seek(int64_t ms) = 0;
    // While recording, the length is always just past the position: the file grows.
    virtual int64_t position() const = 0;
    virtual int64_t length() const = 0;
};

} // namespace sono
