#pragma once
// Converts the whole sound to another rate, width and channel count, in that order. Rate by
// nearest sample (no filtering), 16 -> 8 bits by s / 256 + 128, 8 -> 16 bits by (s - 128) * 256
// limited below at -32766, stereo -> mono by the rounded average.
#include <array>
#include <cstdint>
#include <functional>

#include "document/NewSound.h"

namespace sono {

// The rates the properties dialog offers as choices; any other is checked first.
inline constexpr std::array<double, 3> FixedSampleRates = {11025, 22050, 44100};

// The number of frames the sound has after a change to `rate`.
int64_t convertedFrameCount(const Document& doc, int32_t rate);

// The converted sound: bits 8 or 16, rate in Hz (the caller limits it), channels 1 or 2. Every
// array holds exactly SampleCount frames (at least one element). The document is not touched;
// std::bad_alloc when the memory for the new sound is not there.
// stepDone hears the steps of the resampling, when the rate changes.
NewSound convertedSound(const Document& doc, int bits, int32_t rate, int channels,
                        const std::function<void(int step)>& stepDone = {});

} // namespace sono
