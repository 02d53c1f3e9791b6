// The summary gives exactly what the pass over the samples gives, for random sounds and views
// (whole, two-second and zoomed at any level), and stays exact through the change notices of edits
// with and without a change of length.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <span>
#include <string>

#include "view/Columns.h"
#include "view/ViewWindow.h"
#include "view/ViewZoom.h"
#include "view/WaveSummary.h"

namespace sono {
namespace {

class WaveSummaryTest : public ::testing::Test {
  protected:
    std::mt19937 random{20240611};

    int64_t uniform(int64_t low, int64_t high) {
        return std::uniform_int_distribution<int64_t>(low, high)(random);
    }

    // A wandering line with sudden spikes, so that columns and blocks differ in their extremes
    // and a single misplaced frame shows.
    Samples randomSamples(int64_t frames, bool eightBit) {
        const int low = eightBit ? 0 : -32768;
        const int high = eightBit ? 255 : 32767;
        const int stride = eightBit ? 3 : 700;
        Samples samples(static_cast<size_t>(frames));
        int value = (low + high) / 2;
        for (auto& sample : samples) {
            value = std::clamp(value + int(uniform(-stride, stride)), low, high);
            sample = int16_t(uniform(0, 400) == 0 ? uniform(low, high) : value);
        }
        return samples;
    }

    Document randomSound(bool stereo, bool eightBit) {
        Document doc;
        doc.FileName = "*";
        doc.Channels = stereo ? 2 : 1;
        doc.BitsPerSample = eightBit ? 8 : 16;
        const int64_t frames = uniform(0, 3) == 0 ? uniform(100, 600) : uniform(600, 60000);
        doc.SampleCount = int32_t(frames);
        // Rates that make sounds from a little over two seconds to a dozen of them.
        doc.SampleRate = float(std::max<int64_t>(1, frames / uniform(2, 24)));
        doc.LeftSamples = randomSamples(frames, eightBit);
        doc.RightSamples = stereo ? randomSamples(frames, eightBit) : Samples{0};
        return doc;
    }

    // The whole sound, a two-second window, or a zoomed stretch at any level.
    ViewWindow randomView(const Document& doc, int width) {
        if (uniform(0, 2) == 0) {
            ViewZoom zoom;
            zoom.setSound(doc.SampleCount, doc.SampleRate);
            zoom.setWidth(width);
            const double shortest = width / ViewZoom::MostPixelsPerFrame;
            const double span = shortest * std::pow(double(doc.SampleCount) / shortest,
                                                    double(uniform(0, 1000)) / 1000);
            zoom.show(double(uniform(0, doc.SampleCount)) + double(uniform(0, 99)) / 100, span);
            return zoom.window();
        }
        const ScrollRange scroll =
            scrollRange(uniform(0, 2) != 0, doc.SampleCount, doc.SampleRate, width);
        const int32_t value = int32_t(uniform(0, 2) == 0 ? scroll.maximum * uniform(0, 1)
                                                         : uniform(0, scroll.maximum));
        return viewWindow(doc.SampleCount, doc.SampleRate, scroll, value);
    }

    // Compares the summary with the pass over the samples for a few widths and views, whole and
    // two-second ones.
    void expectExact(const WaveSummary& summary, const Document& doc, const std::string& when) {
        for (int k = 0; k < 4; ++k) {
            const int width = int(k == 0 ? uniform(1, 40) : uniform(41, 1500));
            const ViewWindow view = randomView(doc, width);
            for (int channel = 1; channel <= (doc.isStereo() ? 2 : 1); ++channel) {
                const Samples& samples = channel == 1 ? doc.LeftSamples : doc.RightSamples;
                ASSERT_EQ(summary.columns(doc, channel, view, width),
                          columnExtremes(samples, view, width))
                    << when << ": " << doc.SampleCount << " frames, channel " << channel
                    << ", width " << width << ", view " << view.ViewStart << ".." << view.ViewEnd;
            }
        }
    }

    void overwrite(Document& doc, bool left, bool right, int64_t first, int64_t last) {
        const bool eightBit = doc.BitsPerSample == 8;
        const Samples fresh = randomSamples(last - first + 1, eightBit);
        if (left) std::copy(fresh.begin(), fresh.end(), doc.LeftSamples.begin() + first);
        if (right) std::copy(fresh.rbegin(), fresh.rend(), doc.RightSamples.begin() + first);
    }

    // Inserts `count` frames at `at` (count < 0 removes -count frames from there) and returns
    // the notice of it.
    SoundChange resize(Document& doc, int64_t at, int64_t count) {
        const bool eightBit = doc.BitsPerSample == 8;
        for (Samples* samples : {&doc.LeftSamples, &doc.RightSamples}) {
            if (samples == &doc.RightSamples && !doc.isStereo()) break;
            if (count > 0) {
                const Samples fresh = randomSamples(count, eightBit);
                samples->insert(samples->begin() + at, fresh.begin(), fresh.end());
            } else {
                samples->erase(samples->begin() + at, samples->begin() + at - count);
            }
        }
        doc.SampleCount = int32_t(doc.SampleCount + count);
        return {at, int64_t(doc.SampleCount) - 1, true, doc.isStereo(), true, false};
    }
};

TEST_F(WaveSummaryTest, StaysExactThroughEditsWithAndWithoutAChangeOfLength) {
    for (int sound = 0; sound < 8; ++sound) {
        Document doc = randomSound(sound % 2 == 1, sound % 4 >= 2);
        WaveSummary summary;
        summary.rebuild(doc);
        expectExact(summary, doc, "rebuilt");
        for (int edit = 0; edit < 9; ++edit) {
            const int64_t frames = doc.SampleCount;
            const int64_t length = uniform(1, edit % 3 == 0 ? 40 : frames / 3);
            // In turn: at the start, at the end, anywhere.
            const int64_t first = edit % 3 == 0   ? 0
                                  : edit % 3 == 1 ? frames - length
                                                  : uniform(0, frames - length);
            const int64_t last = first + length - 1;
            const bool left = !doc.isStereo() || edit % 2 == 0;
            const bool right = doc.isStereo() && edit % 4 != 0;
            overwrite(doc, left, right, first, last);
            summary.update(doc, {first, last, left, right, false, false});
            expectExact(summary, doc,
                        "edited " + std::to_string(first) + ".." + std::to_string(last));
        }
        for (int edit = 0; edit < 12; ++edit) {
            const int64_t frames = doc.SampleCount;
            const int64_t count = uniform(1, edit % 2 == 0 ? 300 : 5000);
            // Insertions and removals at the start, at the end and in the middle.
            const bool insert = edit % 2 == 0 || frames - count < 100;
            const int64_t room = insert ? frames : frames - count;
            const int64_t at = edit % 3 == 0 ? 0 : edit % 3 == 1 ? room : uniform(0, room);
            SoundChange change = resize(doc, at, insert ? count : -count);
            // A notice may name only the frames written past the old end; the block that held
            // the old end gained frames all the same.
            if (insert && at == frames) change.first += count / 2;
            summary.update(doc, change);
            expectExact(summary, doc,
                        (insert ? "inserted at " : "removed at ") + std::to_string(at));
        }
    }
}

TEST_F(WaveSummaryTest, ANewFormatIsSummarisedAnew) {
    Document doc = randomSound(false, false);
    WaveSummary summary;
    summary.rebuild(doc);

    // To stereo, 8-bit, with another length.
    doc.Channels = 2;
    doc.BitsPerSample = 8;
    doc.SampleCount = 5000;
    doc.LeftSamples = randomSamples(5000, true);
    doc.RightSamples = randomSamples(5000, true);
    summary.update(doc, {0, 4999, true, true, true, true});
    expectExact(summary, doc, "to stereo");

    // Back to mono at the same length: the second channel goes.
    doc.Channels = 1;
    doc.BitsPerSample = 16;
    doc.LeftSamples = randomSamples(5000, false);
    doc.RightSamples = {0};
    summary.update(doc, {0, 4999, true, false, false, true});
    expectExact(summary, doc, "to mono");
}

} // namespace
} // namespace sono
