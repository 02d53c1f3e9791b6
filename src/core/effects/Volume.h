#pragma once
// Volume change: every sample of the range is multiplied by a factor that runs linearly from the
// start factor at the first frame to the end factor at the last. Equal factors give a plain gain,
// different ones a fade.
#include <cstdint>
#include <span>

#include "effects/StepLoop.h"

namespace sono {

struct VolumeSettings {
    float startFactor = 1; // at range.first; 1 = unchanged
    float endFactor = 1;   // at range.last
};

// In place, one pass. 16-bit results are clipped to -32766..32767, 8-bit results (computed around
// 128) to 0..255. A range of one frame uses the start factor.
void changeVolume(std::span<int16_t> samples, FrameRange range, VolumeSettings settings,
                  bool eightBit, const StepObserver& stepDone = {});

} // namespace sono
