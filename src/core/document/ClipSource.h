#pragma once
// Samples brought into the sound by a paste: from the clip file or from a recording, which both
// hand them over in this shape.
#include <cstdint>

#include "document/Document.h"

namespace sono {

struct ClipSource {
    Samples a; // channel 1, or the only channel
    Samples b; // channel 2 of a stereo source, else empty
    int32_t frames = 0;
    int32_t bits = 16; // 8 or 16
    int32_t rate = 22050;
    int channels = 1;
};

} // namespace sono
