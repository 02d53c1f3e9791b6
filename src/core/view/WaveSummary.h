#pragma once
// The smallest and largest sample of every block of frames of each channel, kept beside the
// document and brought up to date from the change notices, so that a redraw reads the summary
// instead of every frame: it costs the view's width, not the sound's length, and gives exactly
// the extremes a pass over the samples gives.
#include <array>
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

  private:
    // Frames per block: a column of a long sound spans hundreds of blocks, and a column of the
    // two-second window is read from the samples, being shorter than a block.
    static constexpr int64_t BlockFrames = 256;

    struct Channel {
        int64_t frames = 0;        // frames summarised; the last block may be partial
        std::vector<int16_t> high; // per block
        std::vector<int16_t> low;
    };
    void recompute(Channel& channel, const Samples& samples, int64_t firstBlock, int64_t lastBlock);
    void resummarise(Channel& channel, const Samples& samples, int64_t fromFrame, int64_t frames);

    std::array<Channel, 2> channels_;
    int channelCount_ = 0; // 0 until the first rebuild
};

} // namespace sono
