#pragma once
// A whole sound as it replaces the current one (open, raw import, New, conversion): its format
// and its samples, under the document's field names.
#include <cstdint>

#include "document/Document.h"

namespace sono {

struct NewSound {
    float Channels = 1;
    float SampleRate = 22050;
    float BitsPerSample = 16;
    int32_t SampleCount = 0;
    Samples LeftSamples{0};
    Samples RightSamples{0}; // the single element 0 for mono
};

} // namespace sono
