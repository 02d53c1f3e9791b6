#pragma once
// Fresh channel arrays for a whole sound. A long sound fills hundreds of megabytes, written from
// end to end in one pass; in pages of 4 KB the first touch of each page costs the kernel more than
// the copy of its bytes, so the arrays ask for huge pages where the kernel gives them on request.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/Document.h"

namespace sono {

// Asks for huge pages under the whole ones inside [data, data + bytes); a wish only.
void adviseHugePages(void* data, size_t bytes);

// An empty scratch array with room for `slots` values, in fresh memory like the channels.
template <class Value> void reserveScratch(std::vector<Value>& scratch, size_t slots) {
    std::vector<Value>().swap(scratch);
    scratch.reserve(slots);
    adviseHugePages(scratch.data(), slots * sizeof(Value));
}

// Replaces samples by `slots` copies of `fill` in new memory; the old array is released first,
// so the sound is never held twice.
void allocateChannel(Samples& samples, size_t slots, int16_t fill);

// Replaces samples by an empty array with room for `slots`, to be filled by appending: each page
// is then written once, by what is appended.
void reserveChannel(Samples& samples, size_t slots);

// Makes room for `slots` samples, keeping those there; an array that has to move goes to fresh
// memory like the others.
void growChannel(Samples& samples, size_t slots);

// Replaces samples by a copy of the first `count` samples of `from`, in new memory of at least one
// slot.
void copyChannel(Samples& samples, const Samples& from, size_t count);

} // namespace sono
