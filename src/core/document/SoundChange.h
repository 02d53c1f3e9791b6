#pragma once
// What a command did to the samples, as the views and the play cursor need to know it: which
// frames of which channels hold new values, and whether the length or the format changed.
#include <cstdint>

namespace sono {

struct SoundChange {
    int64_t first = 0; // first frame whose samples changed
    int64_t last = -1; // last such frame, inclusive; after a change of length the last frame
                       // of the sound, since everything behind `first` moved
    bool channel1 = true;
    bool channel2 = false;
    bool lengthChanged = false;
    bool formatChanged = false; // rate, sample width or channel count

    bool operator==(const SoundChange&) const = default;
};

} // namespace sono
