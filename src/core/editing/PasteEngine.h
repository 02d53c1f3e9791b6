#pragma once
// Merges outside samples (a clip or a recording) into the sound: converts them to the sound's
// channels, width and rate, then replaces the selection by them, adds them onto it, or fades
// them in over it. Works on any source the clip checks let through; no message comes from here.
#include <functional>
#include <optional>

#include "document/Document.h"
#include "editing/ClipFile.h"

namespace sono {

struct PasteRequest {
    bool mix = false;
    bool overlap = false;       // with mix: the sound fades out while the clip fades in
    bool bothChannels = false;  // the both-channels option
    bool fromRecording = false; // the first half of the progress bar went to reading the file
};

// Merges clip into doc (steps from the selection to the new length and selection). Returns the
// number of channels that took the clip: 2 when every channel of a stereo sound was changed;
// nullopt, with nothing changed, when the result would be longer than a sound can be.
std::optional<int> mergeClip(Document& doc, ClipSource& clip, const PasteRequest& request,
                             const std::function<void(int step)>& progress);

} // namespace sono
