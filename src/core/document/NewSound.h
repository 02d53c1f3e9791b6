#pragma once
// A whole sound as it replaces the current one (open, raw import, New, conversion, undo, a
// recovered sound, a generator's): its format and its samples, under the document's field names.
// Every path that puts a sound in place goes through the editor's installSound with one.
#include <cstdint>
#include <utility>

#include "document/Document.h"

namespace sono {

struct NewSound : SoundFormat {
    int32_t SampleCount = 0;
    Samples LeftSamples{0};
    Samples RightSamples{0}; // the single element 0 for mono
};

// The format and samples of `doc`, moved out of it.
inline NewSound takeSound(Document& doc) {
    return {doc.format(), doc.SampleCount, std::move(doc.LeftSamples), std::move(doc.RightSamples)};
}

} // namespace sono
