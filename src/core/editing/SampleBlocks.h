#pragma once
// The work files store channels as runs of little-endian 16-bit samples; each run is moved in a
// single read or write, converted only on a big-endian machine.
#include <bit>
#include <cstdint>
#include <vector>

#include "formats/ByteFile.h"

namespace sono {

template <class Writer> void writeSampleBlock(Writer& file, const int16_t* samples, size_t count) {
    if constexpr (std::endian::native == std::endian::little) {
        file.write(samples, count * 2);
    } else {
        std::vector<uint8_t> bytes(count * 2);
        for (size_t i = 0; i < count; ++i) {
            bytes[2 * i] = uint8_t(uint16_t(samples[i]) & 0xFF);
            bytes[2 * i + 1] = uint8_t(uint16_t(samples[i]) >> 8);
        }
        file.write(bytes.data(), bytes.size());
    }
}

// False when the file ends before count samples.
inline bool readSampleBlock(InputFile& file, int16_t* samples, size_t count) {
    if (file.read(samples, count * 2) != count * 2) return false;
    if constexpr (std::endian::native == std::endian::big)
        for (size_t i = 0; i < count; ++i)
            samples[i] = int16_t(readLE16(reinterpret_cast<const uint8_t*>(samples + i)));
    return true;
}

} // namespace sono
