// Feeds arbitrary bytes to the readers of the options file (with the recent list) and of the
// quality file: whatever they read must be settings the program can run with, and must come back
// unchanged through a write and a read.
#include <cstdint>
#include <cstdlib>

#include "FuzzInput.h"
#include "settings/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = sono::fuzz::inputFile(data, size);
    const sono::Quality quality = sono::readQualityFile(path);
    if ((quality.bitsPerSample != 8 && quality.bitsPerSample != 16) ||
        !(quality.sampleRate >= 2500 && quality.sampleRate <= 100000))
        std::abort();

    auto settings = sono::readSettingsFile(path, 6, 3);
    if (!settings) std::abort(); // any regular file gives settings
    if (settings->language > 2 || settings->options.graphStyle > 6) std::abort();
    const std::string copy = sono::fuzz::inputFile(nullptr, 0, "copy");
    if (!sono::writeSettingsFile(copy, *settings)) std::abort();
    auto again = sono::readSettingsFile(copy, 6, 3);
    if (!again || again->language != settings->language ||
        again->recentFiles != settings->recentFiles || again->lastDir != settings->lastDir)
        std::abort();
    return 0;
}
