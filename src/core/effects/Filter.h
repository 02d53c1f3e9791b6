#pragma once
// The advanced filter: every sample louder (or quieter) than a threshold is multiplied by a
// factor. Above the threshold with a factor below 1 it compresses peaks; below the threshold it
// gates noise (factor below 1) or lifts quiet passages (factor above 1).
#include <cstdint>
#include <span>

#include "effects/StepLoop.h"

namespace sono {

struct FilterSettings {
    bool louder = true; // change the samples above the threshold, else those below it
    float percent = 50; // threshold in percent of full scale (32768, or 128 around 128)
    float factor = 2;
};

// In place, one pass. A sample exactly at the threshold is never changed. 16-bit results clip
// to -32766..32767, 8-bit results to 0..255.
void filterFrames(std::span<int16_t> samples, FrameRange range, FilterSettings settings,
                  bool eightBit, const StepObserver& stepDone = {});

} // namespace sono
