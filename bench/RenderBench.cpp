// A whole redraw of the views for a 60-minute 44.1 kHz stereo sound, 1200 pixels wide: the
// columns from the wave summary, both channels drawn in a graph style with the time scale, and
// the selection laid over; the whole sound and a two-second window of it.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cmath>

#include "WaveformImages.h"
#include "view/WaveSummary.h"

namespace sono {
namespace {

constexpr double Rate = 44100;
constexpr int64_t Hour = 3600 * 44100;
constexpr int Width = 1200;

const Document& longSound() {
    static const Document doc = [] {
        Document sound;
        sound.FileName = "*";
        sound.Channels = 2;
        sound.SampleRate = float(Rate);
        sound.SampleCount = int32_t(Hour);
        sound.LeftSamples.resize(Hour);
        sound.RightSamples.resize(Hour);
        for (int64_t k = 0; k < Hour; ++k) {
            sound.LeftSamples[k] = int16_t(std::lround(12000 * std::sin(double(k) * 0.0627)));
            sound.RightSamples[k] = int16_t(sound.LeftSamples[k] / 2);
        }
        sound.selection = {double(Hour / 3), double(Hour / 2), 1};
        return sound;
    }();
    return doc;
}

void redraw(benchmark::State& state, GraphStyle style, bool twoSeconds) {
    const Document& doc = longSound();
    WaveSummary summary;
    summary.rebuild(doc);
    StylePictures pictures(SONO_SHARE_DIR);
    const ScrollRange scroll = scrollRange(twoSeconds, Hour, Rate, Width);
    const ViewWindow view = viewWindow(Hour, Rate, scroll, scroll.maximum / 2);
    for (auto _ : state) {
        RenderRequest request{doc, style, true, view, Width, 256, {}};
        request.columns[0] = summary.columns(doc, 1, view, Width);
        request.columns[1] = summary.columns(doc, 2, view, Width);
        auto views = composeViews(renderWaveform(request, pictures), doc, view, true);
        benchmark::DoNotOptimize(views);
    }
}

BENCHMARK_CAPTURE(redraw, StandardWhole, GraphStyle::Standard, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(redraw, SpaceWhole, GraphStyle::Space, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(redraw, StandardTwoSeconds, GraphStyle::Standard, true)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace sono

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
