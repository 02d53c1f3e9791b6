#pragma once
// The real-time level display while the sound plays: for each pixel column the loudness of the
// frame that many frames after the play position, as a row of a picture `height` pixels high,
// and the step (0 .. 6) of the loudest of them for the strip of seven bands.
#include <cstdint>
#include <string>
#include <vector>

#include "document/Document.h"

namespace sono {

struct LevelDisplay {
    std::vector<int> rows; // per column, the row of its dot (0 at the top)
    int step = 0;
};

// Which channel the level meter follows.
enum class MeterChannel { BothMean, First, Second };
// The meter's channel for a sound: the mean of both of a stereo one, the first of a mono one.
inline MeterChannel meterChannelOf(const Document& doc) {
    return doc.isStereo() ? MeterChannel::BothMean : MeterChannel::First;
}

// Columns past the end of the sound stay silent.
LevelDisplay levelDisplay(const Document& doc, MeterChannel channel, int64_t firstFrame, int width,
                          int height);

} // namespace sono
