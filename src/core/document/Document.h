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
#include "document/SoundFormat.h"

namespace sono {

using Samples = std::vector<int16_t>;

// The longest sound: SampleCount is a 32-bit number.
inline constexpr int64_t MaxSampleCount = std::numeric_limits<int32_t>::max();

struct Document : SoundFormat {
    std::string FileName;    // "" none, "*" untitled, else the path (UTF-8)
    int32_t SampleCount = 0; // frames per channel
    Samples LeftSamples{0};
    Samples RightSamples{0};
    Selection selection;
    int16_t UndoLevel = 0;
    int16_t RedoLevel = 0;
    bool Changed = false;
    InfoFields Info;      // the 17 INFO texts, raw bytes as stored in the file
    std::string DispText; // raw bytes of the DISP text

    bool hasSelection() const { return selection.exists(); }
};

} // namespace sono
