#pragma once
// Merges outside samples (a clip or a recording) into the sound: converts them to the sound's
// channels, width and rate, then replaces the selection by them, adds them onto it, or fades
// them in over it. Works on any source the clip checks let through; no message comes from here.
#include <functional>
#include <optional>

#include "document/Document.h"
#include "document/SoundChange.h"
#include "editing/ClipFile.h"

namespace sono {

struct PasteRequest {
    bool mix = false;
    bool overlap = false;       // with mix: the sound fades out while the clip fades in
    bool bothChannels = false;  // the both-channels option
    bool fromRecording = false; // the first half of the progress bar went to reading the file
};

// The number of frames the sound would have after the merge; nothing is changed. A merge beyond
// MaxSampleCount must not run.
int64_t mergedSampleCount(const Document& doc, const ClipSource& clip, const PasteRequest& request);

struct MergeResult {
    int channels; // 2 when every channel of a stereo sound took the clip, else 1
    SoundChange change;
};

// Merges clip into doc (steps from the selection to the new length and selection). The caller
// has made sure the result is not longer than a sound can be.
MergeResult mergeClip(Document& doc, ClipSource& clip, const PasteRequest& request,
                      const std::function<void(int step)>& progress);

} // namespace sono
