#pragma once
// The smallest and largest sample of every block of frames of each channel, kept beside the
// document and brought up to date from the change notices, so that a redraw reads the summary
// instead of every frame: it costs the view's width, not the sound's length, and gives exactly
// the extremes a pass over the samples gives.
#include <cstdint>
#include <vector>

#include "document/Document.h"
#include "document/SoundChange.h"
#include "view/Columns.h"

namespace sono {

class WaveSummary {
  public:
    // Summarises the whole sound anew.
    void rebuild(const Document& doc);
    // Recomputes the blocks the change touched (and everything behind it when the length
    // changed); the document already holds the changed samples.
    void update(const Document& doc, const SoundChange& change);

    // The extremes of every column of the view for channel 1 or 2, equal to what
    // columnExtremes gives for the same samples.
    std::vector<ColumnExtremes> columns(const Document& doc, int channel, const ViewWindow& view,
                                        int width) const;
};

} // namespace sono
