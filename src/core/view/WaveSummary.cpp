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

} // namespace

void WaveSummary::recompute(Channel& channel, const Samples& samples, int64_t firstBlock,
                            int64_t lastBlock) {
    for (int64_t b = firstBlock; b <= lastBlock; ++b) {
        const int64_t begin = b * BlockFrames;
        const int64_t end = std::min(begin + BlockFrames, channel.frames);
        ColumnExtremes block{samples[begin], samples[begin]};
        detail::foldExtremes(block, samples.data() + begin + 1, samples.data() + end);
        channel.high[size_t(b)] = block.high;
        channel.low[size_t(b)] = block.low;
    }
}

void WaveSummary::resummarise(Channel& channel, const Samples& samples, int64_t fromFrame,
                              int64_t frames) {
    const int64_t blocks = (frames + BlockFrames - 1) / BlockFrames;
    channel.frames = frames;
    channel.high.resize(size_t(blocks));
    channel.low.resize(size_t(blocks));
    recompute(channel, samples, std::max<int64_t>(fromFrame, 0) / BlockFrames, blocks - 1);
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

std::vector<ColumnExtremes> WaveSummary::columns(const Document& doc, int channel,
                                                 const ViewWindow& view, int width) const {
    const Samples& samples = samplesOf(doc, channel);
    const int64_t count = int64_t(samples.size());
    // Only blocks that lie wholly inside both the summary and the array are read; anything
    // else comes from the samples.
    int64_t wholeBlocks = 0;
    const Channel* summary = nullptr;
    if (channel >= 1 && channel <= channelCount_) {
        summary = &channels_[size_t(channel - 1)];
        wholeBlocks = std::min(summary->frames, count) / BlockFrames;
    }
    const int16_t* data = samples.data();

    const int columnCount = std::max(width, 0);
    std::vector<ColumnExtremes> extremes(static_cast<size_t>(columnCount));
    for (int c = 0; c < columnCount; ++c) {
        const ColumnFrames frames = columnFrames(view, width, c);
        ColumnExtremes& column = extremes[size_t(c)];
        if (frames.seed >= 0 && frames.seed < count)
            column = {samples[frames.seed], samples[frames.seed]};
        const int64_t first = std::max<int64_t>(frames.first, 0);
        const int64_t last = std::min<int64_t>(frames.last, count - 1);
        if (first > last) continue;
        // Blocks fb .. lb - 1 lie wholly inside first..last.
        const int64_t fb = (first + BlockFrames - 1) / BlockFrames;
        const int64_t lb = std::min((last + 1) / BlockFrames, wholeBlocks);
        if (fb >= lb) {
            detail::foldExtremes(column, data + first, data + last + 1);
            continue;
        }
        detail::foldExtremes(column, data + first, data + fb * BlockFrames);
        column.high =
            detail::highestOf(summary->high.data() + fb, summary->high.data() + lb, column.high);
        column.low =
            detail::lowestOf(summary->low.data() + fb, summary->low.data() + lb, column.low);
        detail::foldExtremes(column, data + lb * BlockFrames, data + last + 1);
    }
    return extremes;
}

} // namespace sono
