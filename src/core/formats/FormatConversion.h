#pragma once
// Converts the whole sound in memory to another rate, width and channel count, in that order.
// Rate by nearest sample (no filtering), 16 -> 8 bits by s / 256 + 128, 8 -> 16 bits by
// (s - 128) * 256 limited below at -32766, stereo -> mono by the rounded average.
#include <cstdint>

#include "document/Document.h"

namespace sono {

// bits 8 or 16, rate in Hz (the caller limits it), channels 1 or 2. Leaves every array holding
// exactly SampleCount frames (at least one element).
void convertFormat(Document& doc, int bits, int32_t rate, int channels);

} // namespace sono
