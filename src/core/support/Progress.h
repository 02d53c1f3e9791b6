#pragma once
// Long loops run in 100 steps and show progress between them, never inside the inner loop.
#include <cstdint>
#include <string>

#include "support/Numbers.h"
#include "support/VectorState.h"

namespace sono {

enum ProgressKind : int {
    ProgressOpening = 0,
    ProgressDrawing = 1,
    ProgressEditing = 2,
    ProgressSaving = 3,
    ProgressPreparingPlay = 4,
    ProgressRecording = 5,
    ProgressPasting = 6,
};

// The label of a kind, e.g. "Opening..."; empty for a kind outside 0..6.
std::string progressKindText(int kind, uint8_t language);

// What follows the percentage while long work runs: " - 12 s left", " - 2 min 5 s left".
std::string timeLeftText(double seconds, uint8_t language);

inline constexpr int StepCount = 100;

// Calls body(begin, end) for each of `slices` consecutive stretches of [0, n) (slice k covers
// round(n*k/slices) .. round(n*(k+1)/slices) - 1) and after(k) once slice k is done. Loops use
// 100 slices, the step rule; a pass in two halves uses 50 each.
template <class Body, class After>
void inSlices(int64_t n, int slices, Body&& body, After&& after) {
    for (int k = 0; k < slices; ++k) {
        int64_t begin = roundToInt(double(n) * k / slices);
        int64_t end = roundToInt(double(n) * (k + 1) / slices);
        clearUpperVectorHalves();
        if (end > begin) body(begin, end);
        after(k);
    }
}

} // namespace sono
