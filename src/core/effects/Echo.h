#pragma once
// Echo: every frame of the range is added again, delayed and softer, once per repeat. Delay and
// echo volume may run linearly from the start of the range to its end; echoes that fall beyond
// the end of the sound lengthen it.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "document/Document.h"
#include "effects/StepLoop.h"

namespace sono {

struct EchoSettings {
    float startDelayMs = 102;
    float startVolumePercent = 30;
    float endDelayMs = 102;
    float endVolumePercent = 30;
    int16_t repeats = 1;
    bool softer = true; // repeat r of N has (N + 1 - r) / N of the echo volume
};

// True when delays and volumes are finite and the delays are not negative.
bool validEcho(const EchoSettings& settings);

// The last frame the sound must have so that the last echo of the range fits: frameCount - 1, or
// more when an echo falls beyond it. nullopt when that is not a finite frame number.
std::optional<int64_t> echoLastFrame(const EchoSettings& settings, FrameRange range,
                                     int64_t frameCount, double sampleRate);

// Makes out the channel x with the echoes of the range added, `frames` long (silence lengthens x
// where the last echo falls beyond it). Sums are formed unclipped in the scratch acc, walking the
// range backwards so that no echo is echoed again, and clipped once each is whole; acc holds only
// the frames an echo can still reach (echoScratchSlots of them; none for an echo whose delay stays
// the same, which is worked out frame by frame from the start). A range of one frame uses the
// start values. Echoes that would land beyond `frames` are dropped.
void addEcho(std::span<const int16_t> x, int64_t frames, FrameRange range,
             const EchoSettings& settings, double sampleRate, bool eightBit,
             std::vector<int32_t>& acc, Samples& out, const StepObserver& stepDone = {});

// The scratch addEcho needs, in slots: at most one for each frame from the range's start on.
size_t echoScratchSlots(const EchoSettings& settings, FrameRange range, int64_t frames,
                        double sampleRate);

} // namespace sono
