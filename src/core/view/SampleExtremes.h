#pragma once
// The smallest and largest of a run of samples, folded into extremes already held. Shared by the
// plain pass over the samples and by the summary so both give the same numbers.
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

} // namespace sono::detail
