#pragma once
// Loops over samples are cut into slices only so progress can be shown between them.
#include <cstdint>

#include "document/Numbers.h"
#include "document/Progress.h"

namespace sono {

// Calls body(begin, end) for each of `slices` consecutive stretches of [0, n), the same way the
// step rule cuts 100 steps, and after(k) once slice k is done.
template <class Body, class After>
void inSlices(int64_t n, int slices, Body &&body, After &&after) {
    for (int k = 0; k < slices; ++k) {
        int64_t begin = roundToInt(double(n) * k / slices);
        int64_t end = roundToInt(double(n) * (k + 1) / slices);
        if (end > begin)
            body(begin, end);
        after(k);
    }
}

} // namespace sono
