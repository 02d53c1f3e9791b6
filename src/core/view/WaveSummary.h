#pragma once
// The smallest and largest sample of every block of frames of each channel, kept beside the
// document and brought up to date from the change notices, so that a redraw reads the summary
// instead of every frame: it costs the view's width, not the sound's length, and gives exactly
// the extremes a pass over the samples gives. Blocks come in levels, each block of a level
// summarising BlocksPerBlock blocks of the level below, so that a column of an hour-long sound
// reads a few dozen numbers whatever its width.
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

    // Frames per block of the finest level, and blocks of one level per block of the next.
    static constexpr int64_t BlockFrames = 256;
    static constexpr int64_t BlocksPerBlock = 8;
    // How many levels a channel of this many frames has (the coarsest has a few blocks).
    static int levelsFor(int64_t frames);

  private:
    struct Level {
        std::vector<int16_t> high; // per block
        std::vector<int16_t> low;
    };
    struct Channel {
        int64_t frames = 0;        // frames summarised; the last block of a level may be partial
        std::vector<Level> levels; // levels[0]: blocks of BlockFrames frames
    };
    // Recomputes blocks firstBlock..lastBlock of the finest level and the blocks above them.
    void recompute(Channel& channel, const Samples& samples, int64_t firstBlock, int64_t lastBlock);
    void resummarise(Channel& channel, const Samples& samples, int64_t fromFrame, int64_t frames);
    // Folds frames first..last - 1 into `column`, from the coarsest blocks that lie wholly
    // inside them and within `wholeFrames`.
    static void foldFrames(ColumnExtremes& column, const Channel* summary, int64_t wholeFrames,
                           const int16_t* data, int64_t first, int64_t last);

    std::array<Channel, 2> channels_;
    int channelCount_ = 0; // 0 until the first rebuild
};

} // namespace sono
