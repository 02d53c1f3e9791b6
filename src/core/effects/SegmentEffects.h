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

#include "document/Document.h"
#include "effects/StepLoop.h"

namespace sono {

// Most frames alienVoiceFrames and creakFrames may write for a channel of frameCount frames.
int64_t alienVoiceBound(int64_t frameCount);
int64_t creakBound(int64_t frameCount, FrameRange range);

// Both read the whole channel x and append the new channel to out, which should have room for
// the bound above: each of its slots is then written once, in fresh memory that nothing touched
// before. The 100 steps run over the frames range.first + 1 .. range.last - 1.
void alienVoiceFrames(std::span<const int16_t> x, FrameRange range, Samples& out,
                      const StepObserver& stepDone = {});
void creakFrames(std::span<const int16_t> x, FrameRange range, bool eightBit, Samples& out,
                 const StepObserver& stepDone = {});

} // namespace sono
