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

// `channel` is the level meter's channel tag: "0" the mean of both channels, "1" or "2" one.
// Columns past the end of the sound stay silent.
LevelDisplay levelDisplay(const Document& doc, const std::string& channel, int64_t firstFrame,
                          int width, int height);

} // namespace sono
