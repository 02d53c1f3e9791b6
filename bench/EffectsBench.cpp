// Every effect over a 10-minute 44.1 kHz 16-bit stereo sound, reported in frames per second, and
// the editor's commands on it and on a 60-minute sound (the 10 minutes six times over). The sound
// is the WAV file named by SONO_BENCH_SOUND (for example one made with sox, so that the same sound
// can be timed there), or else a tone on the left and noise on the right made here.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <random>

#include "FakeHost.h"
#include "editor/Editor.h"
#include "effects/Echo.h"
#include "effects/Filter.h"
#include "effects/Modulation.h"
#include "effects/Normalize.h"
#include "effects/Reverse.h"
#include "effects/SegmentEffects.h"
#include "effects/Shrink.h"
#include "effects/Soften.h"
#include "effects/Speed.h"
#include "effects/Volume.h"
#include "formats/WavReader.h"

namespace sono {
namespace {

constexpr double Rate = 44100;
constexpr int64_t TenMinutes = 600 * 44100;

struct Sound {
    Samples left, right;
};

Sound makeSound() {
    Sound sound;
    if (const char* path = std::getenv("SONO_BENCH_SOUND")) {
        WavReadResult read = readWaveFile(path);
        if (read.failure == WavFailure::None && read.channels == 2) {
            sound.left = std::move(read.left);
            sound.right = std::move(read.right);
            return sound;
        }
    }
    sound.left.resize(TenMinutes);
    sound.right.resize(TenMinutes);
    std::mt19937 random(1);
    std::normal_distribution<double> noise(0, 4000);
    for (int64_t k = 0; k < TenMinutes; ++k) {
        const double phase = 2 * std::numbers::pi * 440 * double(k) / Rate;
        sound.left[k] = int16_t(std::lround(12000 * std::sin(phase)));
        sound.right[k] = int16_t(std::clamp(std::lround(noise(random)), -32768L, 32767L));
    }
    return sound;
}

const Sound& original() {
    static const Sound sound = makeSound();
    return sound;
}

int64_t frames() {
    return int64_t(original().left.size());
}
// The frames of the sound the editor's benchmarks load for `minutes`.
int64_t framesOf(int64_t minutes) {
    return frames() * std::max<int64_t>(minutes / 10, 1);
}
FrameRange whole() {
    return {0, frames() - 1};
}

// Runs an in-place effect on a fresh copy of both channels in every iteration.
template <class Effect> void inPlace(benchmark::State& state, Effect effect) {
    Sound sound;
    for (auto _ : state) {
        state.PauseTiming();
        sound.left = original().left;
        sound.right = original().right;
        state.ResumeTiming();
        effect(sound.left);
        effect(sound.right);
        benchmark::DoNotOptimize(sound.left.data());
        benchmark::DoNotOptimize(sound.right.data());
    }
    state.SetItemsProcessed(state.iterations() * frames());
}

// Runs an effect that writes each channel anew into a scratch buffer of `room` frames.
template <class Effect> void rebuilt(benchmark::State& state, int64_t room, Effect effect) {
    Samples out = Samples(size_t(room));
    for (auto _ : state) {
        benchmark::DoNotOptimize(effect(original().left, out));
        benchmark::DoNotOptimize(effect(original().right, out));
    }
    state.SetItemsProcessed(state.iterations() * frames());
}

void Reverse(benchmark::State& state) {
    inPlace(state, [](Samples& x) { reverseFrames(x, whole()); });
}
// A fade (Arg 1) or one factor throughout (Arg 0).
void Volume(benchmark::State& state) {
    const VolumeSettings volume{0.5f, state.range(0) == 1 ? 1.5f : 0.5f};
    inPlace(state, [&](Samples& x) { changeVolume(x, whole(), volume, false); });
}
void Normalize(benchmark::State& state) {
    inPlace(state, [](Samples& x) {
        SampleExtremes extremes;
        scanExtremes(x, whole(), extremes);
        normalizeFrames(x, whole(), peakOf(extremes, false), false);
    });
}
void Soften(benchmark::State& state) {
    inPlace(state, [](Samples& x) { softenFrames(x, {0, frames() - 2}, false); });
}
void Shrink(benchmark::State& state) {
    inPlace(state, [](Samples& x) { shrinkFrames(x, frames(), whole(), 4); });
}
void AlienVoice2(benchmark::State& state) {
    inPlace(state, [](Samples& x) { ringModulate(x, whole(), false); });
}
void Satellite(benchmark::State& state) {
    inPlace(state, [](Samples& x) { satelliteModulate(x, whole(), Rate, false); });
}
void Filter(benchmark::State& state) {
    inPlace(state, [](Samples& x) { filterFrames(x, whole(), {true, 30, 0.5f}, false); });
}
void Echo(benchmark::State& state) {
    const EchoSettings echo{100, 50, 100, 50, int16_t(state.range(0)), false};
    const int64_t last = *echoLastFrame(echo, whole(), frames(), Rate);
    std::vector<int32_t> sums;
    inPlace(state, [&](Samples& x) {
        x.resize(size_t(last + 1), 0);
        addEcho(x, whole(), echo, Rate, false, sums);
    });
}
void Speed(benchmark::State& state) {
    const SpeedSettings speeds{float(state.range(0)) / 100, float(state.range(1)) / 100};
    const int64_t room = *speedOutputBound(frames(), whole(), speeds);
    rebuilt(state, room, [&](const Samples& x, Samples& out) {
        return changeSpeed(x, whole(), speeds, 0, out).length;
    });
}
void AlienVoice1(benchmark::State& state) {
    rebuilt(state, alienVoiceBound(frames()),
            [](const Samples& x, Samples& out) { return alienVoiceFrames(x, whole(), out); });
}
void Creaking(benchmark::State& state) {
    rebuilt(state, creakBound(frames(), whole()),
            [](const Samples& x, Samples& out) { return creakFrames(x, whole(), false, out); });
}

// The whole editor around the core, with the stand-ins of the tests for the window, the sound
// device and the outside programs, for timing commands as the menu runs them: with their undo
// snapshot (a file of the whole sound in the temporary folder) and their ranged change notice.
class BenchEditor {
  public:
    BenchEditor() : folder_(std::filesystem::temp_directory_path() / "sono-effects-bench") {
        std::filesystem::create_directories(folder_);
        editor_ = std::make_unique<Editor>(
            EditorPorts{host_, host_, device_, coder_, tags_, nullptr},
            EditorFolders{folder_, folder_, folder_.string() + "/", false, false});
        editor_->startUp();
    }
    ~BenchEditor() {
        editor_.reset();
        std::filesystem::remove_all(folder_);
    }
    Editor& operator*() { return *editor_; }
    Editor* operator->() { return editor_.get(); }
    // Gives the editor the benchmark's sound, repeated to last `minutes`, as an untitled stereo
    // sound with an empty history.
    void load(int64_t minutes = 10) {
        editor_->ClearUndo();
        Document& doc = editor_->doc();
        doc.FileName = "*";
        doc.Channels = 2;
        doc.BitsPerSample = 16;
        doc.SampleRate = float(Rate);
        const int64_t repeats = framesOf(minutes) / frames();
        doc.SampleCount = int32_t(framesOf(minutes));
        doc.LeftSamples.resize(size_t(doc.SampleCount));
        doc.RightSamples.resize(size_t(doc.SampleCount));
        for (int64_t k = 0; k < repeats; ++k) {
            std::copy(original().left.begin(), original().left.end(),
                      doc.LeftSamples.begin() + k * frames());
            std::copy(original().right.begin(), original().right.end(),
                      doc.RightSamples.begin() + k * frames());
        }
        doc.selection.SelStart = doc.selection.SelEnd = -1;
    }
    std::filesystem::path file(const std::string& name) const { return folder_ / name; }

  private:
    std::filesystem::path folder_;
    test::FakeHost host_;
    test::FakeWaveDevice device_;
    test::FakeCoder coder_;
    test::FakeTags tags_;
    std::unique_ptr<Editor> editor_;
};

// A volume change of the whole sound as the menu makes it: the effect and its undo snapshot.
void EditorVolume(benchmark::State& state) {
    BenchEditor editor;
    for (auto _ : state) {
        state.PauseTiming();
        editor.load(state.range(0));
        state.ResumeTiming();
        editor->VeranderVolume(0.5f, 1.5f);
    }
    state.SetItemsProcessed(state.iterations() * framesOf(state.range(0)));
}

// A copy of one minute from the start and its paste at the end, with the paste's snapshot.
void EditorCopyPaste(benchmark::State& state) {
    BenchEditor editor;
    for (auto _ : state) {
        state.PauseTiming();
        editor.load(state.range(0));
        Selection& selection = editor->doc().selection;
        state.ResumeTiming();
        selection.SelStart = 0;
        selection.SelEnd = 60 * Rate - 1;
        editor->MMcopy();
        selection.SelStart = selection.SelEnd = double(framesOf(state.range(0)) - 1);
        editor->MMpaste();
    }
    state.SetItemsProcessed(state.iterations() * framesOf(state.range(0)));
}

// An open of the sound from a file (Arg 1) or a save of it to that file (Arg 0).
void EditorOpenAndSave(benchmark::State& state) {
    BenchEditor editor;
    editor.load(state.range(1));
    const std::string saved = editor.file("saved.wav").string();
    editor->doc().FileName = saved;
    editor->WriteWave(ProgressSaving);
    const bool open = state.range(0) == 1;
    for (auto _ : state) {
        if (open)
            editor->OpenWave(saved, "saved.wav");
        else
            editor->WriteWave(ProgressSaving);
    }
    state.SetItemsProcessed(state.iterations() * framesOf(state.range(1)));
}

// An undo and a redo of a volume change: each writes the current sound as a snapshot and reads
// another.
void EditorUndoRedo(benchmark::State& state) {
    BenchEditor editor;
    editor.load(state.range(0));
    editor->VeranderVolume(0.5f, 0.5f);
    for (auto _ : state) {
        editor->MMundo();
        editor->MMredo();
    }
    state.SetItemsProcessed(state.iterations() * framesOf(state.range(0)) * 2);
}

BENCHMARK(Reverse)->Unit(benchmark::kMillisecond);
BENCHMARK(Volume)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(Normalize)->Unit(benchmark::kMillisecond);
BENCHMARK(Soften)->Unit(benchmark::kMillisecond);
BENCHMARK(Shrink)->Unit(benchmark::kMillisecond);
BENCHMARK(Speed)->Args({150, 150})->Args({50, 200})->Unit(benchmark::kMillisecond);
BENCHMARK(Echo)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(AlienVoice1)->Unit(benchmark::kMillisecond);
BENCHMARK(AlienVoice2)->Unit(benchmark::kMillisecond);
BENCHMARK(Satellite)->Unit(benchmark::kMillisecond);
BENCHMARK(Creaking)->Unit(benchmark::kMillisecond);
BENCHMARK(Filter)->Unit(benchmark::kMillisecond);
// The editor's commands on the 10- and the 60-minute sound.
BENCHMARK(EditorVolume)->Arg(10)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(EditorCopyPaste)->Arg(10)->Arg(60)->Unit(benchmark::kMillisecond);
BENCHMARK(EditorOpenAndSave)
    ->Args({1, 10})
    ->Args({0, 10})
    ->Args({1, 60})
    ->Args({0, 60})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(EditorUndoRedo)->Arg(10)->Arg(60)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace sono

BENCHMARK_MAIN();
