#include "editing/SelectionEdits.h"

#include <algorithm>

#include "support/Numbers.h"
#include "support/Progress.h"

namespace sono {

void fitArrays(Document& doc) {
    size_t frames = size_t(std::max(doc.SampleCount, 1));
    if (doc.LeftSamples.size() < frames) doc.LeftSamples.resize(frames, 0);
    if (doc.isStereo() && doc.RightSamples.size() < frames) doc.RightSamples.resize(frames, 0);
}

namespace {
// The bar shows a fraction of the steps rounded like any other number, halves to even.
int percent(double value) {
    return int(roundToInt(value));
}

void shiftForward(Samples& channel, int64_t from, int64_t to, int64_t distance, int slices,
                  const std::function<void(int)>& after) {
    inSlices(
        to - from, slices,
        [&](int64_t begin, int64_t end) {
            std::copy(channel.begin() + from + begin + distance,
                      channel.begin() + from + end + distance, channel.begin() + from + begin);
        },
        after);
}
} // namespace

void deleteFrames(Document& doc, ChannelScope scope, FrameRange span,
                  const ProgressStep& progress) {
    fitArrays(doc);
    const int64_t length = span.size();
    const int64_t remaining = int64_t(doc.SampleCount) - length;
    // In one channel of a stereo sound the other channel keeps its frames, so the length stays
    // and the edited channel ends in silence, also when the span reaches the end.
    const bool oneChannel = doc.isStereo() && !(scope.first && scope.second);
    const int16_t silence = doc.silenceValue();
    const int channels = int(doc.Channels);
    auto edit = [&](Samples& channel, int slices, const std::function<void(int)>& after) {
        if (span.first < remaining)
            shiftForward(channel, span.first, remaining, length, slices, after);
        if (oneChannel)
            std::fill(channel.begin() + remaining, channel.begin() + remaining + length, silence);
    };
    if (scope.first)
        edit(doc.LeftSamples, 100, [&](int k) { progress(percent(double(k) / channels)); });
    if (scope.second) edit(doc.RightSamples, 50, [&](int k) { progress(50 + k); });
    if (!oneChannel) doc.SampleCount = int32_t(remaining);
    if (doc.SampleCount > 0) {
        doc.LeftSamples.resize(size_t(doc.SampleCount));
        if (doc.isStereo()) doc.RightSamples.resize(size_t(doc.SampleCount));
    }
}

void muteFrames(Document& doc, ChannelScope scope, FrameRange span, int divisor,
                const ProgressStep& progress) {
    fitArrays(doc);
    const int16_t silence = doc.silenceValue();
    auto mute = [&](Samples& channel, const std::function<void(int)>& after) {
        inSlices(
            span.size(), 100,
            [&](int64_t begin, int64_t end) {
                std::fill(channel.begin() + span.first + begin, channel.begin() + span.first + end,
                          silence);
            },
            after);
    };
    if (scope.first) mute(doc.LeftSamples, [&](int k) { progress(percent(double(k) / divisor)); });
    if (scope.second)
        mute(doc.RightSamples, [&](int k) { progress(percent(100 - double(100 - k) / divisor)); });
}

void appendSilence(Document& doc, int32_t newCount, const ProgressStep& progress) {
    fitArrays(doc);
    const int64_t oldCount = std::max(doc.SampleCount, 0);
    if (newCount < oldCount) return;
    doc.SampleCount = newCount;
    doc.LeftSamples.resize(size_t(std::max(newCount, 1)), 0);
    if (doc.isStereo()) doc.RightSamples.resize(size_t(std::max(newCount, 1)), 0);
    if (doc.BitsPerSample != 8) return;
    // Grown slots are 0, which in an 8-bit sound is full negative swing, not silence.
    const int16_t silence = doc.silenceValue();
    const int channels = int(doc.Channels);
    auto fill = [&](Samples& channel, const std::function<void(int)>& after) {
        inSlices(
            newCount - oldCount, 100,
            [&](int64_t begin, int64_t end) {
                std::fill(channel.begin() + oldCount + begin, channel.begin() + oldCount + end,
                          silence);
            },
            after);
    };
    fill(doc.LeftSamples, [&](int k) { progress(percent(double(k) / channels)); });
    if (doc.isStereo())
        fill(doc.RightSamples, [&](int k) { progress(percent(double(k) / 2 + 50)); });
}

} // namespace sono
