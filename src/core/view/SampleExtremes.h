#pragma once
// The smallest and largest of a run of samples, folded into extremes already held. Shared by the
// plain pass over the samples and by the summary so both give the same numbers.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "view/Columns.h"

namespace sono::detail {

// The loops below keep to plain 16-bit comparisons so that the compiler can vectorise them.

inline int16_t highestOf(const int16_t* begin, const int16_t* end, int16_t high) {
    for (const int16_t* p = begin; p != end; ++p)
        high = *p > high ? *p : high;
    return high;
}

inline int16_t lowestOf(const int16_t* begin, const int16_t* end, int16_t low) {
    for (const int16_t* p = begin; p != end; ++p)
        low = *p < low ? *p : low;
    return low;
}

// Folds samples[begin, end) into `extremes`; an empty run leaves them as they are.
inline void foldExtremes(ColumnExtremes& extremes, const int16_t* begin, const int16_t* end) {
    extremes.high = highestOf(begin, end, extremes.high);
    extremes.low = lowestOf(begin, end, extremes.low);
}

// The line joining the frames at a position between them, rounded to a sample value; positions
// outside the frames take the nearest end.
inline int16_t lineAt(const int16_t* samples, int64_t count, double position) {
    const double p = std::clamp(position, 0.0, double(count - 1));
    const auto k = std::min(int64_t(p), count - 1);
    if (k + 1 >= count) return samples[k];
    const double value = samples[k] + (samples[k + 1] - samples[k]) * (p - double(k));
    return int16_t(std::lround(value));
}

// What a column's extremes start from before its frames are folded in: its seed frame, or in a
// zoomed view the line at both its edges. A column outside the samples starts at 0.
inline ColumnExtremes columnSeed(const int16_t* samples, int64_t count, const ViewWindow& view,
                                 const ColumnFrames& frames) {
    if (count <= 0) return {};
    if (view.zoomed()) {
        const int16_t a = lineAt(samples, count, frames.from);
        const int16_t b = lineAt(samples, count, frames.to);
        return {std::max(a, b), std::min(a, b)};
    }
    if (frames.seed < 0 || frames.seed >= count) return {};
    return {samples[frames.seed], samples[frames.seed]};
}

} // namespace sono::detail
