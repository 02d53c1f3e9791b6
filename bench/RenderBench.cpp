// A whole redraw of the views for a 60-minute 44.1 kHz stereo sound in 1200 x 800 pixels (two
// views of 400 rows): the columns from the wave summary, both channels drawn in a graph style,
// the selection laid over and the time ruler; at zoom levels from the whole hour down to the
// deepest zoom, and while the wheel zooms in and out around a pixel.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cmath>

#include "RulerImage.h"
#include "WaveformImages.h"
#include "view/Ruler.h"
#include "view/ViewZoom.h"
#include "view/WaveSummary.h"

namespace sono {
namespace {

constexpr double Rate = 44100;
constexpr int64_t Hour = 3600 * 44100;
constexpr int Width = 1200;
constexpr int ViewHeight = 400;

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

const WaveSummary& summary() {
    static const WaveSummary summarised = [] {
        WaveSummary s;
        s.rebuild(longSound());
        return s;
    }();
    return summarised;
}

void redrawOnce(const ViewWindow& view, GraphStyle style, StylePictures& pictures) {
    const Document& doc = longSound();
    RenderRequest request{doc, style, false, view, Width, ViewHeight, {}};
    request.columns[0] = summary().columns(doc, 1, view, Width);
    request.columns[1] = summary().columns(doc, 2, view, Width);
    auto views = composeViews(renderWaveform(request, pictures), doc, view, true);
    auto ruler = rulerImage(rulerOf(view, Hour, Rate, Width), Width);
    benchmark::DoNotOptimize(views);
    benchmark::DoNotOptimize(ruler);
}

// `span` frames across the views from a third into the hour (0: the whole hour).
void redraw(benchmark::State& state, GraphStyle style, double span) {
    summary(); // made once, before any timing
    StylePictures pictures(SONO_SHARE_DIR);
    ViewZoom zoom;
    zoom.setSound(Hour, Rate);
    zoom.setWidth(Width);
    if (span > 0) zoom.show(double(Hour / 3), span);
    for (auto _ : state)
        redrawOnce(zoom.window(), style, pictures);
}

// Wheel steps with Ctrl from the whole hour to the deepest zoom and back, a redraw each; the
// time is per step.
void wheelZoom(benchmark::State& state) {
    summary();
    StylePictures pictures(SONO_SHARE_DIR);
    ViewZoom zoom;
    zoom.setSound(Hour, Rate);
    zoom.setWidth(Width);
    double factor = 1 / 1.25;
    for (auto _ : state) {
        zoom.zoomAround(Width * 0.37, factor);
        if (zoom.span() <= Width / ViewZoom::MostPixelsPerFrame) factor = 1.25;
        if (zoom.whole()) factor = 1 / 1.25;
        redrawOnce(zoom.window(), GraphStyle::Standard, pictures);
    }
}

BENCHMARK_CAPTURE(redraw, StandardWhole, GraphStyle::Standard, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(redraw, SpaceWhole, GraphStyle::Space, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(redraw, StandardTenMinutes, GraphStyle::Standard, 600 * Rate)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(redraw, StandardTwoSeconds, GraphStyle::Standard, 2 * Rate)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(redraw, StandardFramePerColumn, GraphStyle::Standard, Width)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(redraw, StandardDeepest, GraphStyle::Standard,
                  Width / ViewZoom::MostPixelsPerFrame)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(redraw, FireTwoSeconds, GraphStyle::Fire, 2 * Rate)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(wheelZoom)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace sono

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
