// Feeds arbitrary bytes to the reader of the synthesizer's period files (users trade them), then
// spreads what it read over the drawing's columns as loading does.
#include <cstdint>
#include <cstdlib>

#include "FuzzInput.h"
#include "generators/Synthesizer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto file = sono::readPeriodFile(sono::fuzz::inputFile(data, size));
    if (!file) return 0;
    if (file->points.empty() || file->points.size() > size) std::abort();
    sono::Period period{};
    sono::spreadPeriodPoints(period, file->points);
    if (auto frequency = sono::frequencyOfCode(file->frequencyCode); frequency && *frequency <= 0)
        std::abort();
    return 0;
}
