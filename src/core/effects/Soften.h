#pragma once
// Soften: every frame becomes the difference between its right-hand neighbour and itself, which
// takes the low tones out of the sound.
#include <cstdint>
#include <span>

#include "effects/StepLoop.h"

namespace sono {

// In place, in ascending order, so frame k + 1 still holds its old value when k is computed;
// range.last + 1 must be a frame of the channel. 16-bit results clip to -32766..32767, 8-bit
// results (difference + 128) to 0..255.
void softenFrames(std::span<int16_t> samples, FrameRange range, bool eightBit,
                  const StepObserver& stepDone = {});

} // namespace sono
