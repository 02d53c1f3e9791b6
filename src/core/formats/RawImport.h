#pragma once
// Reads any file as raw PCM samples under a chosen width and channel count: 8-bit bytes kept as
// they are (0..255), 16-bit little-endian signed values, frames interleaved channel 1 first.
#include <cstdint>
#include <functional>
#include <string>

#include "document/Document.h"

namespace sono {

struct RawReadResult {
    bool ok = false;    // false: the file could not be read, or holds more frames than a sound can
    int32_t frames = 0; // round(file length / channels / bytes per sample)
    Samples left{0};
    Samples right{0}; // the single element 0 for mono
};

// bits 8 or 16, channels 1 or 2. Bytes the last frame lacks read as 0. progressStep is called
// after each of the 100 steps of splitting the frames.
RawReadResult readRawFile(const std::string& path, int bits, int channels,
                          const std::function<void(int step)>& progressStep = {});

} // namespace sono
