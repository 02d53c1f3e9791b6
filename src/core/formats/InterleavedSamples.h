#pragma once
// Sample bytes as files store them: frames one after another, channel 1 first within a frame,
// each sample 1 byte (unsigned, kept as 0..255), 2 bytes (signed little-endian) or 3 bytes
// (reduced to 16 bits). Long sounds move between a file and the channel arrays in blocks of
// a quarter of a megabyte, so no copy of the whole sound is ever made on the way.
#include <cstddef>
#include <cstdint>
#include <functional>

namespace sono {

class InputFile;

// Bytes of interleaved samples moved at a time.
inline constexpr size_t InterleavedBlockBytes = size_t(1) << 18;

// Reads `frames` frames from the file's current position and splits them into left (and, for two
// channels, right), which must hold `frames` slots each. Bytes the file does not hold read as
// `missing`. progressStep is told after each of `steps` steps of the step rule.
void readInterleaved(InputFile& file, int64_t frames, int channels, int bytesPerSample,
                     uint8_t missing, int16_t* left, int16_t* right,
                     const std::function<void(int step)>& progressStep, int steps = 100);

// Interleaves `frames` frames of left (and, for two channels, right) into `bytes`, 1 byte per
// sample (the low byte of an 8-bit slot) or 2 bytes little-endian.
void joinInterleaved(const int16_t* left, const int16_t* right, size_t frames, int channels,
                     int bytesPerSample, uint8_t* bytes);

// R(lo, m, h): a 24-bit sample reduced to 16 bits, rounding halves to even.
int16_t reduce24To16(uint8_t lo, uint8_t mid, uint8_t high);

} // namespace sono
