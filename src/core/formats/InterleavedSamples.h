#pragma once
// Sample bytes as files store them: frames one after another, channel 1 first within a frame,
// each sample 1 byte (unsigned, kept as 0..255), 2 bytes (signed little-endian) or 3 bytes
// (reduced to 16 bits).
#include <cstdint>
#include <functional>

#include "document/Document.h"

namespace sono {

// Splits `frames` frames of `bytes` into left (and, for two channels, right), which must already
// hold `frames` slots each, in the 100 steps of the step rule (or `steps` steps).
void splitInterleaved(const uint8_t* bytes, int64_t frames, int channels, int bytesPerSample,
                      Samples& left, Samples& right,
                      const std::function<void(int step)>& progressStep, int steps = 100);

// R(lo, m, h): a 24-bit sample reduced to 16 bits, rounding halves to even.
int16_t reduce24To16(uint8_t lo, uint8_t mid, uint8_t high);

} // namespace sono
