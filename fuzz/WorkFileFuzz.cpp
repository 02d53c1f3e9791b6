// Feeds arbitrary bytes to the readers of the clip file and of the undo snapshots: both come
// back from the temporary folder, where anything may have happened to them. Whatever they accept
// must be a consistent sound.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzInput.h"
#include "editing/ClipFile.h"
#include "editing/UndoStore.h"

namespace {
void checkClip(const std::string& path) {
    auto clip = sono::readClipFile(path);
    if (!clip) return;
    if (clip->frames <= 0 || (clip->bits != 8 && clip->bits != 16) || clip->rate <= 0) std::abort();
    if (clip->a.size() != size_t(clip->frames)) std::abort();
    if (clip->channels == 2 ? clip->b.size() != size_t(clip->frames) : !clip->b.empty())
        std::abort();
}

void checkSnapshot(const std::string& path) {
    sono::Document doc;
    doc.SampleCount = 3;
    doc.LeftSamples = {1, 2, 3};
    if (sono::readUndoSnapshot(path, doc) != sono::SnapshotRead::Loaded) {
        // A refused snapshot leaves the sound exactly as it was.
        if (doc.SampleCount != 3 || doc.LeftSamples != sono::Samples{1, 2, 3}) std::abort();
        return;
    }
    // A sound of no frames (everything deleted) keeps the single slot an empty array has.
    const size_t slots = std::max<size_t>(size_t(doc.SampleCount), 1);
    if (doc.SampleCount < 0 || doc.LeftSamples.size() != slots) std::abort();
    if (doc.Channels == 2 && doc.RightSamples.size() != slots) std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = sono::fuzz::inputFile(data, size);
    checkClip(path);
    checkSnapshot(path);
    return 0;
}
