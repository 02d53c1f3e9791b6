#pragma once
// What the first frame header of an MP3 file says: bitrate, sample rate, channel mode and, from
// the file's length, its duration, as the open dialog's panel shows them.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace sono {

// The standard MPEG audio bitrates in kbit/s: bitrate index 0..15 by column 4 x (version bit:
// 1 for MPEG-1) + layer bits (1 Layer III, 2 Layer II, 3 Layer I); 0 where there is none.
int BitrateTable(int index, int column);

struct Mp3FrameTexts {
    std::string bitrate;     // "128"
    std::string sampleRate;  // "44100", or "?"
    std::string channelMode; // "stereo", "joint stereo", "dual channel", "single channel"
    std::string duration;    // "Duur: 4:00" / "Time: 4:00"
    int64_t seconds = 0;     // the duration in seconds
};

// From the first bytes of a file (up to 4096 are searched for a frame sync) and its length in
// bytes; nullopt without a sync or with a bitrate of 0.
std::optional<Mp3FrameTexts> mp3FrameInfoOf(std::span<const uint8_t> start, int64_t fileBytes,
                                            uint8_t language);
// The same for a file, from the first frame behind its ID3v2 tag, its length counted without
// that tag; nullopt when it cannot be read.
std::optional<Mp3FrameTexts> Mp3FrameInfo(const std::string& path, uint8_t language);

} // namespace sono
