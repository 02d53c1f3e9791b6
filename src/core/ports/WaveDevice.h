#pragma once
// The sound card as the transport uses it: one sound at a time, frames of the sound in memory or
// a WAV file to play, or a file a recording is saved to, driven by commands, and polled for its
// position. Positions and lengths are in milliseconds from the start of what was opened. Every
// command is harmless when nothing is open.
#include <cstdint>
#include <string>
#include <vector>

namespace sono {

// Frames of a sound in memory as the device plays them: `frames` frames from `first` on, read
// where they lie while they play. The channels are read by reference, so they must stay in place
// until the device is closed (every change of the sound stops playback first); frames the
// channels no longer hold play as silence.
struct SoundInMemory {
    const std::vector<int16_t>& left;
    const std::vector<int16_t>& right; // unused for one channel
    int64_t first = 0;
    int64_t frames = 0;
    int rate = 22050;
    int channels = 1;
    int bits = 16; // 8: the samples are 0..255, silence 128
};

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
    // Opens frames of a sound in memory to play. False when the device cannot play them.
    virtual bool openSound(const SoundInMemory& sound) = 0;
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
