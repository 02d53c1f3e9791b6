#pragma once
// Long loops run in 100 steps and show progress between them, never inside the inner loop.
#include <cstdint>
#include <string>

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

inline constexpr int StepCount = 100;

// Frames [begin, end) of step k (0..99) of a pass over n frames.
struct StepRange {
    int64_t begin;
    int64_t end;
};
StepRange stepRange(int64_t n, int k);

} // namespace sono
