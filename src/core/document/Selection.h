#pragma once
// The selection: the frames the user marked and the view it was made in, and the rules by which
// each kind of command turns it into frames and channels. The ends are kept in double precision,
// which names every frame of any sound that fits in memory; between pointer moves they may hold
// fractions, which showSelection rounds.
#include <cstdint>

namespace sono {

// Frames first..last of a channel, both inclusive; empty when last < first.
struct FrameRange {
    int64_t first = 0;
    int64_t last = -1;
    int64_t size() const { return last >= first ? last - first + 1 : 0; }
    bool operator==(const FrameRange&) const = default;
};

// The channels a command works on.
struct ChannelScope {
    bool first = true;
    bool second = false;
    bool both() const { return first && second; }
};

struct Selection {
    double SelStart = -1;   // first selected frame; -1: nothing is selected
    double SelEnd = -1;     // last selected frame, inclusive
    int32_t SelChannel = 1; // the view it was made in: 1 upper (channel 1), 2 lower (channel 2)

    bool exists() const { return SelStart != -1; }
    void clear() { SelStart = SelEnd = -1; }

    // Effects: both ends truncated toward zero and kept inside a sound of `frames` frames; the
    // whole sound when nothing is selected.
    FrameRange effectRange(int64_t frames) const;
    // Copy, cut, delete, erase and mute: round(SelEnd - SelStart + 1) frames from the rounded
    // start, kept inside the sound; the whole sound when nothing is selected.
    FrameRange editRange(int64_t frames) const;
    // Paste onto a selection: both ends rounded, the start inside the sound and the end between
    // the start and the last frame. Meaningful only while a selection exists.
    FrameRange pasteRange(int64_t frames) const;
    // Saving the selection: the truncated start, and SelEnd - SelStart frames from it.
    int64_t savedFirst() const { return int64_t(SelStart); }
    double savedFrames() const { return SelEnd - SelStart; }

    // The channels an edit or effect works on: both channels of a stereo sound when the
    // both-channels option is on or nothing is selected, else the channel of the view the
    // selection was made in.
    ChannelScope channels(bool stereo, bool bothChannelsOption) const;
};

} // namespace sono
