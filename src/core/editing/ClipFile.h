#pragma once
// The clip file: what Copy leaves for Paste, kept in the temporary folder as "%$&©®.dat".
//   A9 AE 2A 26, frames n, bits, rate (int32 each), then one or two blocks of a tag byte
//   (1 = channel 1, 2 = channel 2) and n int16 samples, then two zero bytes; little-endian.
// The file has no channel count: a second block makes it stereo.
#include <filesystem>
#include <optional>
#include <vector>

#include "document/ClipSource.h"
#include "document/Document.h"

namespace sono {

std::filesystem::path clipFilePath(const std::filesystem::path& tempDir);

struct ClipBlock {
    uint8_t tag;            // 1 or 2
    const int16_t* samples; // `frames` samples
};

// False when the file could not be written completely; no file is left then.
bool writeClipFile(const std::filesystem::path& file, int32_t frames, int32_t bits, int32_t rate,
                   const std::vector<ClipBlock>& blocks);

// nullopt for a missing or short file, a wrong magic, a zero first tag or a non-zero closing
// tag, and for a header no sound can have (bits other than 8 or 16, no frames, no rate).
std::optional<ClipSource> readClipFile(const std::filesystem::path& file);

} // namespace sono
