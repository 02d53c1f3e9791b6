#pragma once
// The format of a sound, as the document, a sound about to replace it, the file reader and the
// undo snapshots all describe it. The header fields of a file that follow from it (byte rate,
// block align, PCM tag) are worked out when a file is written. The fields keep the program's
// long-standing names.
#include <cstdint>

namespace sono {

struct SoundFormat {
    float Channels = 1;
    float SampleRate = 22050;
    float BitsPerSample = 16;

    bool isStereo() const { return Channels == 2; }
    int16_t silenceValue() const { return BitsPerSample == 8 ? 128 : 0; }
    const SoundFormat& format() const { return *this; }
    SoundFormat& format() { return *this; }
    bool operator==(const SoundFormat&) const = default;
};

} // namespace sono
