#pragma once
// The two character effects that modulate every sample in place; the length stays.
//  - Alien voice 2: a ring modulation of the louder samples with a carrier of about 19.74 frames
//    per period (its phase restarts every 10000 frames), lifted by 1.3.
//  - Satellite: a 58.5 Hz amplitude modulation around full negative scale, whatever the rate.
#include <cstdint>
#include <span>

#include "effects/StepLoop.h"

namespace sono {

// Frame k (its index in the sound) is multiplied by cos((k mod 10000) / pi) x 1.3 when it lies
// more than 1024 (8-bit: 4) from the centre; quieter samples stay. Results clip to the width.
void ringModulate(std::span<int16_t> samples, FrameRange range, bool eightBit,
                  const StepObserver& stepDone = {});

// With c = sin(k / sampleRate x 44100 / 120): 16-bit samples become (x + 32766) c - 32766,
// 8-bit samples x c, clipped at the bottom of the width. The two channels of a stereo range share
// the carrier and are modulated in one pass; `right` is empty for one channel.
void satelliteModulate(std::span<int16_t> left, std::span<int16_t> right, FrameRange range,
                       double sampleRate, bool eightBit, const StepObserver& stepDone = {});

} // namespace sono
