#pragma once
// The sample work of the Edit menu's selection commands, without messages or redraws: delete,
// mute and appended silence. Ranges are clamped to the sound, so no selection can reach outside
// the arrays.
#include <cstdint>
#include <functional>

#include "document/Document.h"

namespace sono {

using ProgressStep = std::function<void(int step)>;

// Makes every channel array hold at least SampleCount frames (at least one element), so the
// loops that index them cannot step outside.
void fitArrays(Document& doc);

// Removes the span from the channels in scope. In one channel of a stereo sound the length is
// kept: what followed moves forward and the channel's last frames become silence.
void deleteFrames(Document& doc, ChannelScope scope, FrameRange span, const ProgressStep& progress);

// Sets the span to silence in the channels in scope; progress shares the bar between the
// channels when `divisor` is 2.
void muteFrames(Document& doc, ChannelScope scope, FrameRange span, int divisor,
                const ProgressStep& progress);

// Lengthens the sound to newCount frames of silence at its end (0 for 16 bits, 128 for 8 bits).
void appendSilence(Document& doc, int32_t newCount, const ProgressStep& progress);

} // namespace sono
