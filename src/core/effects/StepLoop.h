#pragma once
// The range an effect works on and the loop that cuts one pass over it into progress steps.
// Progress is reported between steps only, so the inner loops stay free of bookkeeping.
#include <algorithm>
#include <cstdint>
#include <functional>

#include "document/Selection.h"
#include "support/Cancellation.h"
#include "support/Progress.h"

namespace sono {

// Told the number of each step that has just been finished (0..99, or 0..49 for a half pass).
using StepObserver = std::function<void(int step)>;

// A step of a long sound can take long when an effect's settings make every frame costly; the
// work looks for Cancel between pieces of this many items as well.
inline constexpr int64_t ItemsBetweenCancelChecks = int64_t(1) << 16;

// Runs body(begin, end) for the steps of a pass over the items [0, count) and tells the observer
// after each step. There are 100 steps, or 50 for each of the two phases of normalize. A step may
// reach the body in several pieces.
template <class Body>
void forEachStep(int64_t count, const StepObserver& stepDone, Body&& body, int steps = StepCount) {
    inSlices(
        count, steps,
        [&](int64_t begin, int64_t end) {
            for (int64_t piece = begin; piece < end; piece += ItemsBetweenCancelChecks) {
                if (piece > begin) stopIfCancelled();
                body(piece, std::min(end, piece + ItemsBetweenCancelChecks));
            }
        },
        [&](int step) {
            if (stepDone) stepDone(step);
        });
}

} // namespace sono
