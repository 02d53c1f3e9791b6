#include "support/ChannelMemory.h"

#include <sys/mman.h>

#include <algorithm>

namespace sono {

namespace {
constexpr uintptr_t HugePage = uintptr_t(2) << 20;
} // namespace

// Only the whole huge pages inside the array can be given; the advice is a wish, and an array
// without it works the same.
void adviseHugePages(void* data, size_t bytes) {
    const uintptr_t start = (uintptr_t(data) + HugePage - 1) & ~(HugePage - 1);
    const uintptr_t end = (uintptr_t(data) + bytes) & ~(HugePage - 1);
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

void reserveChannel(Samples& samples, size_t slots) {
    Samples().swap(samples);
    samples.reserve(slots);
    adviseHugePages(samples.data(), slots * sizeof(int16_t));
}

void allocateChannel(Samples& samples, size_t slots, int16_t fill) {
    reserveChannel(samples, slots);
    samples.assign(slots, fill);
}

void growChannel(Samples& samples, size_t slots) {
    if (slots <= samples.capacity()) return;
    Samples grown;
    reserveChannel(grown, slots);
    grown.insert(grown.end(), samples.begin(), samples.end());
    samples.swap(grown);
}

void copyChannel(Samples& samples, const Samples& from, size_t count) {
    reserveChannel(samples, std::max<size_t>(count, 1));
    samples.insert(samples.end(), from.begin(), from.begin() + ptrdiff_t(count));
    if (samples.empty()) samples.push_back(0);
}

} // namespace sono
