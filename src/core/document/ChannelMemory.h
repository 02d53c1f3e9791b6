#pragma once
// Fresh channel arrays for a whole sound. A long sound fills hundreds of megabytes, written from
// end to end in one pass; in pages of 4 KB the first touch of each page costs the kernel more than
// the copy of its bytes, so the arrays ask for huge pages where the kernel gives them on request.
#include <cstddef>
#include <cstdint>

#include "document/Document.h"

namespace sono {

// Replaces samples by `slots` copies of `fill` in new memory; the old array is released first,
// so the sound is never held twice.
void allocateChannel(Samples& samples, size_t slots, int16_t fill);

} // namespace sono
