#pragma once
// The two character effects that cut the waveform into stretches at its peaks and rebuild it,
// so the length of the channel changes:
//  - Alien voice 1: every cycle from one strict peak to the next is replaced by two copies of
//    itself at double speed (the even frames, then the odd ones): an octave up, nearly the same
//    length. A cycle of L frames becomes 2 x floor((L - 1) / 2) + 1 frames.
//  - Creaking: every stretch between two loud turning points is played twice in a row (the
//    second time without its first and last frame): a stutter, L frames become 2L - 2.
// In both, the frames between the last peak and range.last are dropped, and a range of fewer than
// three frames changes nothing. Samples are only moved, so both widths are alike (creaking needs
// the width to know which turning points are loud).
#include <cstdint>
#include <span>

#include "effects/StepLoop.h"

namespace sono {

// Most frames alienVoiceFrames and creakFrames may write for a channel of frameCount frames.
int64_t alienVoiceBound(int64_t frameCount);
int64_t creakBound(int64_t frameCount, FrameRange range);

// Both read the whole channel x, write the new channel to out (at least the bound above) and
// return its length. The 100 steps run over the frames range.first + 1 .. range.last - 1.
int64_t alienVoiceFrames(std::span<const int16_t> x, FrameRange range, std::span<int16_t> out,
                         const StepObserver& stepDone = {});
int64_t creakFrames(std::span<const int16_t> x, FrameRange range, bool eightBit,
                    std::span<int16_t> out, const StepObserver& stepDone = {});

} // namespace sono
