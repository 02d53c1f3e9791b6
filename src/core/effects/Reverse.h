#pragma once
// Reverse: the frames of the range are mirrored about its middle. Values are only moved, so both
// sample widths are handled alike.
#include <cstdint>
#include <span>

#include "effects/StepLoop.h"

namespace sono {

// Swaps frames first + k and last - k for k = 0 .. (last - first) / 2, in place; the 100 steps
// run over these pairs.
void reverseFrames(std::span<int16_t> samples, FrameRange range, const StepObserver& stepDone = {});

} // namespace sono
