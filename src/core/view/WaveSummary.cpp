#include "view/WaveSummary.h"

#include <algorithm>

#include "view/SampleExtremes.h"

namespace sono {

namespace {

const Samples& samplesOf(const Document& doc, int channel) {
    return channel == 2 ? doc.RightSamples : doc.LeftSamples;
}

int channelCountOf(const Document& doc) {
    return doc.isStereo() ? 2 : 1;
}

// The frames of a channel: those of the sound, as far as its array holds them.
int64_t framesOf(const Document& doc, int channel) {
    return std::clamp<int64_t>(doc.SampleCount, 0, int64_t(samplesOf(doc, channel).size()));
}

int64_t blocksOf(int64_t units, int64_t perBlock) {
    return (units + perBlock - 1) / perBlock;
}

} // namespace

int WaveSummary::levelsFor(int64_t frames) {
    int levels = 1;
    for (int64_t blocks = blocksOf(frames, BlockFrames); blocks > BlocksPerBlock;
         blocks = blocksOf(blocks, BlocksPerBlock))
        ++levels;
    return levels;
}

void WaveSummary::recompute(Channel& channel, const Samples& samples, int64_t firstBlock,
                            int64_t lastBlock) {
    Level& finest = channel.levels[0];
    for (int64_t b = firstBlock; b <= lastBlock; ++b) {
        const int64_t begin = b * BlockFrames;
        const int64_t end = std::min(begin + BlockFrames, channel.frames);
        ColumnExtremes block{samples[begin], samples[begin]};
        detail::foldExtremes(block, samples.data() + begin + 1, samples.data() + end);
        finest.high[size_t(b)] = block.high;
        finest.low[size_t(b)] = block.low;
    }
    for (size_t l = 1; l < channel.levels.size(); ++l) {
        const Level& below = channel.levels[l - 1];
        Level& level = channel.levels[l];
        firstBlock /= BlocksPerBlock;
        lastBlock /= BlocksPerBlock;
        for (int64_t b = firstBlock; b <= lastBlock; ++b) {
            const int64_t begin = b * BlocksPerBlock;
            const int64_t end = std::min(begin + BlocksPerBlock, int64_t(below.high.size()));
            level.high[size_t(b)] = detail::highestOf(below.high.data() + begin + 1,
                                                      below.high.data() + end, below.high[begin]);
            level.low[size_t(b)] = detail::lowestOf(below.low.data() + begin + 1,
                                                    below.low.data() + end, below.low[begin]);
        }
    }
}

void WaveSummary::resummarise(Channel& channel, const Samples& samples, int64_t fromFrame,
                              int64_t frames) {
    channel.frames = frames;
    channel.levels.resize(size_t(levelsFor(frames)));
    int64_t blocks = blocksOf(frames, BlockFrames);
    for (Level& level : channel.levels) {
        level.high.resize(size_t(blocks));
        level.low.resize(size_t(blocks));
        blocks = blocksOf(blocks, BlocksPerBlock);
    }
    const int64_t finestBlocks = int64_t(channel.levels[0].high.size());
    if (finestBlocks > 0)
        recompute(channel, samples,
                  std::min(std::max<int64_t>(fromFrame, 0) / BlockFrames, finestBlocks - 1),
                  finestBlocks - 1);
}

void WaveSummary::rebuild(const Document& doc) {
    channelCount_ = channelCountOf(doc);
    for (int c = 0; c < 2; ++c) {
        Channel& channel = channels_[size_t(c)];
        if (c < channelCount_) {
            resummarise(channel, samplesOf(doc, c + 1), 0, framesOf(doc, c + 1));
        } else {
            channel = Channel{};
        }
    }
}

void WaveSummary::update(const Document& doc, const SoundChange& change) {
    if (change.formatChanged || channelCount_ != channelCountOf(doc)) {
        rebuild(doc);
        return;
    }
    bool lengthChanged = change.lengthChanged;
    for (int c = 0; c < channelCount_; ++c)
        lengthChanged = lengthChanged || channels_[size_t(c)].frames != framesOf(doc, c + 1);
    if (lengthChanged) {
        // Everything behind the first changed frame moved, in every channel, and the block that
        // held the old end (partial until now) may have gained or lost frames.
        for (int c = 0; c < channelCount_; ++c) {
            Channel& channel = channels_[size_t(c)];
            const int64_t frames = framesOf(doc, c + 1);
            resummarise(channel, samplesOf(doc, c + 1),
                        std::min({change.first, channel.frames, frames}), frames);
        }
        return;
    }
    const bool touched[2] = {change.channel1, change.channel2};
    for (int c = 0; c < channelCount_; ++c) {
        Channel& channel = channels_[size_t(c)];
        const int64_t first = std::max<int64_t>(change.first, 0);
        const int64_t last = std::min<int64_t>(change.last, channel.frames - 1);
        if (touched[c] && first <= last)
            recompute(channel, samplesOf(doc, c + 1), first / BlockFrames, last / BlockFrames);
    }
}

void WaveSummary::foldFrames(ColumnExtremes& column, const Channel* summary, int64_t wholeFrames,
                             const int16_t* data, int64_t first, int64_t last) {
    // Whole blocks fb .. lb - 1 of the finest level lie inside first..last - 1.
    int64_t fb = (first + BlockFrames - 1) / BlockFrames;
    int64_t lb = std::min(last, wholeFrames) / BlockFrames;
    if (!summary || fb >= lb) {
        detail::foldExtremes(column, data + first, data + last);
        return;
    }
    detail::foldExtremes(column, data + first, data + fb * BlockFrames);
    detail::foldExtremes(column, data + lb * BlockFrames, data + last);
    // Going up, each level takes the whole blocks of its own inside the range and leaves the
    // ragged ends to the level below; a block is whole when every block under it is.
    int64_t wholeBlocks = wholeFrames / BlockFrames;
    size_t l = 0;
    for (; l + 1 < summary->levels.size(); ++l) {
        const int64_t upperFirst = (fb + BlocksPerBlock - 1) / BlocksPerBlock;
        const int64_t upperWhole = wholeBlocks / BlocksPerBlock;
        const int64_t upperLast = std::min(lb, upperWhole * BlocksPerBlock) / BlocksPerBlock;
        if (upperFirst >= upperLast) break;
        const Level& level = summary->levels[l];
        for (const auto& [from, to] : {std::pair{fb, upperFirst * BlocksPerBlock},
                                       std::pair{upperLast * BlocksPerBlock, lb}}) {
            column.high =
                detail::highestOf(level.high.data() + from, level.high.data() + to, column.high);
            column.low =
                detail::lowestOf(level.low.data() + from, level.low.data() + to, column.low);
        }
        fb = upperFirst;
        lb = upperLast;
        wholeBlocks = upperWhole;
    }
    const Level& level = summary->levels[l];
    column.high = detail::highestOf(level.high.data() + fb, level.high.data() + lb, column.high);
    column.low = detail::lowestOf(level.low.data() + fb, level.low.data() + lb, column.low);
}

std::vector<ColumnExtremes> WaveSummary::columns(const Document& doc, int channel,
                                                 const ViewWindow& view, int width) const {
    const Samples& samples = samplesOf(doc, channel);
    const int64_t count = int64_t(samples.size());
    // Only blocks that lie wholly inside both the summary and the array are read; anything
    // else comes from the samples.
    int64_t wholeFrames = 0;
    const Channel* summary = nullptr;
    if (channel >= 1 && channel <= channelCount_ &&
        !channels_[size_t(channel - 1)].levels.empty()) {
        summary = &channels_[size_t(channel - 1)];
        wholeFrames = std::min(summary->frames, count);
    }
    const int16_t* data = samples.data();

    const int columnCount = std::max(width, 0);
    std::vector<ColumnExtremes> extremes(static_cast<size_t>(columnCount));
    for (int c = 0; c < columnCount; ++c) {
        const ColumnFrames frames = columnFrames(view, width, c);
        ColumnExtremes& column = extremes[size_t(c)];
        column = detail::columnSeed(data, count, view, frames);
        const int64_t first = std::max<int64_t>(frames.first, 0);
        const int64_t last = std::min<int64_t>(frames.last, count - 1);
        if (first <= last) foldFrames(column, summary, wholeFrames, data, first, last + 1);
    }
    return extremes;
}

} // namespace sono
