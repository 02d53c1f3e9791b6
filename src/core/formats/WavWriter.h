#pragma once
// Writes the document as a canonical PCM RIFF/WAVE file: a 16-byte format chunk, the samples,
// a LIST/INFO chunk (always present) and, when there is a label, a DISP chunk.
#include <cstdint>
#include <functional>
#include <string>

#include "document/Document.h"
#include "formats/ByteFile.h"

namespace sono {

struct WavLayout {
    int16_t blockAlign;
    int32_t byteRate;
    int64_t dataSize; // may pass what a WAV file can hold: writeWaveFile refuses that
};

// Block align, byte rate and data size for `frames` frames of the document's format (of `bits`
// bits a sample, when given).
WavLayout wavLayout(const Document& doc, double frames, float bits = 0);

// The width of the samples in the file: as the sound holds them, or 16 bits, to which 8-bit
// samples are widened on the way (0 becomes -32766, not -32768, so each 8-bit value stays apart).
enum class SampleWidthInFile { AsHeld, Sixteen };

// The canonical 44-byte header of a PCM file: "RIFF", riffSize, "WAVE", a 16-byte "fmt " chunk
// (format 1, the channels, the rate, byte rate and block align derived from them and the bits),
// "data" and dataBytes. The samples follow it; riffSize counts everything after its own field.
std::string canonicalWaveHeader(int channels, int32_t rate, int bits, uint32_t dataBytes,
                                uint32_t riffSize);

// Appends a zero character to every odd-length INFO text and to an odd-length label, as the
// file stores them; the padded texts stay in the document.
void padOddTexts(Document& doc);

// Writes frames [firstFrame, firstFrame + frameCount) to path, replacing an existing file only
// when the new one is complete. Returns why it failed on any write error, and TooLarge without
// writing anything for a sound too large for the format's 32-bit sizes; the old file is then
// intact. progressStep is called after each of the 100 steps of gathering the samples.
WriteFailure writeWaveFile(const std::string& path, const Document& doc, int64_t firstFrame,
                           double frameCount,
                           const std::function<void(int step)>& progressStep = {},
                           SampleWidthInFile width = SampleWidthInFile::AsHeld);

} // namespace sono
