#pragma once
// Normalize: one scan finds the loudest sample of every channel taking part, then one pass per
// channel scales the range so that this peak reaches full scale (32766, or 128 steps around 128
// for an 8-bit sound).
#include <cstdint>
#include <span>

#include "effects/StepLoop.h"

namespace sono {

// The running extremes of the scan; one pair serves all channels of a sound. They start at the
// clip limits, so a range that never goes beyond them keeps these values.
struct SampleExtremes {
    int32_t largest = -32766;
    int32_t smallest = 32767;
};

// Widens extremes by the samples of the range, in 50 steps.
void scanExtremes(std::span<const int16_t> samples, FrameRange range, SampleExtremes& extremes,
                  const StepObserver& stepDone = {});

// The peak distance from the centre (0, or 128 for 8-bit) the extremes describe: 0 for a silent
// range, negative when nothing was scanned.
int32_t peakOf(const SampleExtremes& extremes, bool eightBit);

// Scales the range by full scale / peak in place, in 50 steps; peak must not be 0.
void normalizeFrames(std::span<int16_t> samples, FrameRange range, int32_t peak, bool eightBit,
                     const StepObserver& stepDone = {});

} // namespace sono
