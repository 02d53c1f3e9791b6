#pragma once
// The one sound being edited, under the program's long-standing field names. The conventions:
//  - samples are 16-bit slots; an 8-bit sound keeps the file's unsigned bytes 0..255 (silence 128)
//  - RightSamples holds the single element 0 for a mono sound
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "document/InfoFields.h"
#include "document/Selection.h"

namespace sono {

using Samples = std::vector<int16_t>;

// The longest sound: SampleCount is a 32-bit number.
inline constexpr int64_t MaxSampleCount = std::numeric_limits<int32_t>::max();

struct Document {
    std::string FileName;    // "" none, "*" untitled, else the path (UTF-8)
    int32_t SampleCount = 0; // frames per channel
    Samples LeftSamples{0};
    Samples RightSamples{0};
    // The format: the file's header fields that follow from these (byte rate, block align, PCM)
    // are worked out when a file is written.
    float Channels = 1;
    float SampleRate = 22050;
    float BitsPerSample = 16;
    Selection selection;
    int16_t UndoLevel = 0;
    int16_t RedoLevel = 0;
    bool Changed = false;
    InfoFields Info;      // the 17 INFO texts, raw bytes as stored in the file
    std::string DispText; // raw bytes of the DISP text

    bool isStereo() const { return Channels == 2; }
    int16_t silenceValue() const { return BitsPerSample == 8 ? 128 : 0; }
    bool hasSelection() const { return selection.exists(); }
};

} // namespace sono
