#pragma once
// Speed change: the range is resampled with a speed that runs linearly from the start speed at
// its first frame to the end speed at its last, without filtering: each output frame is a copy
// of one input frame. Faster shortens the range, slower lengthens it; the frames around it move
// along, so the channel's length changes.
#include <cstdint>
#include <optional>
#include <span>

#include "document/Document.h"
#include "effects/StepLoop.h"

namespace sono {

struct SpeedSettings {
    float startSpeed = 1; // at range.first; 1 = unchanged, 2 = twice as fast
    float endSpeed = 1;   // at range.last
};

// True when both speeds are finite and above 0.
bool validSpeeds(SpeedSettings settings);

// Room the output needs for a channel of frameCount frames: every frame of the range may take up
// to 1 / (lowest speed) slots, plus the three-slot fill of slow frames and a margin. nullopt when
// that is not a finite whole number of frames.
std::optional<int64_t> speedOutputBound(int64_t frameCount, FrameRange range,
                                        SpeedSettings settings);

struct SpeedResult {
    int64_t length;   // frames of the new channel
    int64_t rangeEnd; // one past the last output frame of the resampled range
};

// Reads the whole channel x and appends the new channel to out, which should be empty with room
// for speedOutputBound frames.
// Frame k of the range goes to slot round(P), P starting at range.first and growing by 1 / s(k)
// for each frame; a frame slower than 1 fills three slots, and a later frame that lands on a
// used slot wins. Slots no frame reaches (only below a third of the speed) hold silence.
// A range of one frame uses the start speed.
SpeedResult changeSpeed(std::span<const int16_t> x, FrameRange range, SpeedSettings settings,
                        int16_t silence, Samples& out, const StepObserver& stepDone = {});

} // namespace sono
