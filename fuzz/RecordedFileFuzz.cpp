// Feeds arbitrary bytes to the reader of recorded sounds: the sound device's driver wrote the
// file, and whatever the reader accepts must be a clip the paste engine can use.
#include <cstdint>
#include <cstdlib>

#include "FuzzInput.h"
#include "formats/RecordedFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto recorded = sono::readRecordedFile(sono::fuzz::inputFile(data, size));
    if (!recorded) return 0;
    const sono::ClipSource& clip = *recorded;
    if (clip.frames < 0 || (clip.bits != 8 && clip.bits != 16)) std::abort();
    if (clip.a.size() != size_t(clip.frames)) std::abort();
    if (clip.channels == 2 ? clip.b.size() != size_t(clip.frames) : !clip.b.empty()) std::abort();
    return 0;
}
