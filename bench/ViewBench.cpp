// The waveform columns of a 60-minute 44.1 kHz 16-bit stereo sound in a 1200-pixel view, read
// from the wave summary, and the summary's update after an edit: what a redraw costs on a long
// sound. The plain pass over the samples is timed beside them for comparison.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "view/Columns.h"
#include "view/ViewWindow.h"
#include "view/WaveSummary.h"

namespace sono {
namespace {

constexpr double Rate = 44100;
constexpr int64_t Hour = 3600 * 44100;
constexpr int Width = 1200;

// A tone on the left and noise on the right.
const Document& longSound() {
    static const Document doc = [] {
        Document sound;
        sound.FileName = "*";
        sound.Channels = 2;
        sound.BitsPerSample = 16;
        sound.SampleRate = float(Rate);
        sound.SampleCount = int32_t(Hour);
        sound.LeftSamples.resize(Hour);
        sound.RightSamples.resize(Hour);
        std::mt19937 random(1);
        std::normal_distribution<double> noise(0, 4000);
        for (int64_t k = 0; k < Hour; ++k) {
            const double phase = 2 * std::numbers::pi * 440 * double(k % 44100) / Rate;
            sound.LeftSamples[k] = int16_t(std::lround(12000 * std::sin(phase)));
            sound.RightSamples[k] =
                int16_t(std::clamp(std::lround(noise(random)), -32768L, 32767L));
        }
        return sound;
    }();
    return doc;
}

const WaveSummary& summary() {
    static const WaveSummary built = [] {
        WaveSummary summary;
        summary.rebuild(longSound());
        return summary;
    }();
    return built;
}

ViewWindow wholeView() {
    return viewWindow(Hour, Rate, scrollRange(false, Hour, Rate, Width), 0);
}

// The two seconds in the middle of the sound.
ViewWindow windowView() {
    const ScrollRange scroll = scrollRange(true, Hour, Rate, Width);
    return viewWindow(Hour, Rate, scroll, scroll.maximum / 2);
}

void columnsOfBothChannels(benchmark::State& state, const ViewWindow& view) {
    const Document& doc = longSound();
    for (auto _ : state) {
        benchmark::DoNotOptimize(summary().columns(doc, 1, view, Width));
        benchmark::DoNotOptimize(summary().columns(doc, 2, view, Width));
    }
}

void SummaryColumnsWholeHour(benchmark::State& state) {
    columnsOfBothChannels(state, wholeView());
}
void SummaryColumnsTwoSeconds(benchmark::State& state) {
    columnsOfBothChannels(state, windowView());
}

// One second in the middle rewritten in both channels, without a change of length.
void SummaryUpdateOneSecond(benchmark::State& state) {
    WaveSummary updated = summary();
    const Document& doc = longSound();
    const int64_t first = Hour / 2;
    const SoundChange change{first, first + 44100 - 1, true, true, false, false};
    for (auto _ : state) {
        updated.update(doc, change);
        benchmark::ClobberMemory();
    }
}

void SummaryRebuild(benchmark::State& state) {
    WaveSummary rebuilt;
    for (auto _ : state) {
        rebuilt.rebuild(longSound());
        benchmark::ClobberMemory();
    }
}

void PlainPassWholeHour(benchmark::State& state) {
    const Document& doc = longSound();
    const ViewWindow view = wholeView();
    for (auto _ : state) {
        benchmark::DoNotOptimize(columnExtremes(doc.LeftSamples, view, Width));
        benchmark::DoNotOptimize(columnExtremes(doc.RightSamples, view, Width));
    }
}

BENCHMARK(SummaryColumnsWholeHour)->Unit(benchmark::kMillisecond);
BENCHMARK(SummaryColumnsTwoSeconds)->Unit(benchmark::kMillisecond);
BENCHMARK(SummaryUpdateOneSecond)->Unit(benchmark::kMillisecond);
BENCHMARK(SummaryRebuild)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainPassWholeHour)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace sono

BENCHMARK_MAIN();
