// How soon a Play of a 60-minute stereo sound is heard: the sound in memory handed to the sound
// device, started, and the event loop run until the device's position has left zero, that is
// until its first samples have passed through the sound server. Needs a sound output: run it with
// PULSE_SERVER naming one (for example the tests' private server, tests/audio/sound_server.sh).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cmath>

#include "QtWaveDevice.h"

namespace sono {
namespace {

constexpr int Rate = 44100;
constexpr int64_t SixtyMinutes = int64_t(3600) * Rate;

void PlayStartsFromMemory(benchmark::State& state) {
    std::vector<int16_t> left(SixtyMinutes), right(SixtyMinutes);
    for (int64_t i = 0; i < SixtyMinutes; ++i)
        left[size_t(i)] = right[size_t(i)] = int16_t(8000 * std::sin(double(i) * 0.06));
    QtWaveDevice device;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        if (!device.openSound({left, right, 0, SixtyMinutes, Rate, 2, 16}))
            return state.SkipWithError("no sound output");
        device.play();
        while (device.position() == 0 && clock.elapsed() < 5000) {
            QEventLoop loop;
            QTimer::singleShot(1, &loop, &QEventLoop::quit);
            loop.exec();
        }
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        device.close();
    }
}
BENCHMARK(PlayStartsFromMemory)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
} // namespace sono

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
