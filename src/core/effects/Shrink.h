#pragma once
// Shrink: the sound is cut into blocks of N frames counted from frame 0; the first frame of every
// block keeps its value and the frames between two block starts are blended from them. The last,
// incomplete block of the sound is left alone.
#include <cstdint>
#include <span>

#include "effects/StepLoop.h"

namespace sono {

// In place over the range; blockSize >= 1, frameCount is the length of the whole sound. The
// results lie between two existing samples, so no clipping is needed and both widths are alike.
void shrinkFrames(std::span<int16_t> samples, int64_t frameCount, FrameRange range,
                  int32_t blockSize, const StepObserver& stepDone = {});

} // namespace sono
