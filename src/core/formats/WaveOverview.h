#pragma once
// An overview of a whole WAV file for a small picture: the lowest and highest sample of each
// channel in each column, read block by block, so that the file never has to fit in memory and
// nothing of the document is touched.
#include <functional>
#include <string>
#include <vector>

#include "formats/WaveHeader.h"

namespace sono {

// Fractions of full scale, -1 .. 1: 8-bit samples are measured from 128, 16-bit ones from 0.
struct ColumnRange {
    float low = 0;
    float high = 0;
};

struct WaveOverview {
    std::vector<ColumnRange> left;
    std::vector<ColumnRange> right; // empty for mono
};

// `columns` columns, or one per frame when the sound has fewer frames; none when the header is
// not readable() or the file cannot be read. Frame i falls in column i * count / frames. The
// samples are read in the 100 steps of the step rule, with progressStep called after each.
WaveOverview readWaveOverview(const std::string& path, const WaveHeader& header, int columns,
                              const std::function<void(int step)>& progressStep = {});

} // namespace sono
