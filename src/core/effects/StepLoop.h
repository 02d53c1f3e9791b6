#pragma once
// The range an effect works on and the loop that cuts one pass over it into progress steps.
// Progress is reported between steps only, so the inner loops stay free of bookkeeping.
#include <cstdint>
#include <functional>

#include "support/Progress.h"
#include "document/Selection.h"

namespace sono {

// Told the number of each step that has just been finished (0..99, or 0..49 for a half pass).
using StepObserver = std::function<void(int step)>;

// Runs body(begin, end) for the steps of a pass over the items [0, count) and tells the observer
// after each step. There are 100 steps, or 50 for each of the two phases of normalize.
template <class Body>
void forEachStep(int64_t count, const StepObserver& stepDone, Body&& body, int steps = StepCount) {
    inSlices(count, steps, body, [&](int step) {
        if (stepDone) stepDone(step);
    });
}

} // namespace sono
