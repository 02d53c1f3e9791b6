// Every effect and the editor's commands on a 10-minute 44.1 kHz 16-bit stereo sound and on a
// 60-minute one (the 10 minutes six times over), reported in frames per second. The sound
// is the WAV file named by SONO_BENCH_SOUND (for example one made with sox, so that the same sound
// can be timed there), or else a tone on the left and noise on the right made here.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
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
        if (read.failure == WavFailure::None && read.sound.Channels == 2) {
            sound.left = std::move(read.sound.LeftSamples);
            sound.right = std::move(read.sound.RightSamples);
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

// The sound, repeated to last `minutes` (10 or more), made once for each length asked for.
const Sound& soundOf(int64_t minutes) {
    static const Sound tenMinutes = makeSound();
    static std::map<int64_t, Sound> longer;
    const int64_t repeats = std::max<int64_t>(minutes / 10, 1);
    if (repeats == 1) return tenMinutes;
    Sound& sound = longer[repeats];
    if (sound.left.empty()) {
        for (int64_t k = 0; k < repeats; ++k) {
            sound.left.insert(sound.left.end(), tenMinutes.left.begin(), tenMinutes.left.end());
            sound.right.insert(sound.right.end(), tenMinutes.right.begin(), tenMinutes.right.end());
        }
    }
    return sound;
}

// Every benchmark takes the length of its sound in minutes as its first argument.
const Sound& soundOf(const benchmark::State& state) {
    return soundOf(state.range(0));
}
int64_t frames(const benchmark::State& state) {
    return int64_t(soundOf(state).left.size());
}
FrameRange whole(const benchmark::State& state) {
    return {0, frames(state) - 1};
}

// Runs effect(left, right) on a fresh copy of both channels in every iteration.
template <class Effect> void onBothChannels(benchmark::State& state, Effect effect) {
    Sound sound;
    for (auto _ : state) {
        state.PauseTiming();
        sound.left = soundOf(state).left;
        sound.right = soundOf(state).right;
        state.ResumeTiming();
        effect(sound.left, sound.right);
        benchmark::DoNotOptimize(sound.left.data());
        benchmark::DoNotOptimize(sound.right.data());
    }
    state.SetItemsProcessed(state.iterations() * frames(state));
}

// Runs an in-place effect of one channel on a fresh copy of both, one after the other.
template <class Effect> void inPlace(benchmark::State& state, Effect effect) {
    onBothChannels(state, [&](Samples& left, Samples& right) {
        effect(left);
        effect(right);
    });
}

// Runs an effect that appends each channel anew to an array with room for `room` frames.
template <class Effect> void rebuilt(benchmark::State& state, int64_t room, Effect effect) {
    Samples out;
    out.reserve(size_t(room));
    for (auto _ : state) {
        for (const Samples* x : {&soundOf(state).left, &soundOf(state).right}) {
            out.clear();
            effect(*x, out);
            benchmark::DoNotOptimize(out.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * frames(state));
}

void Reverse(benchmark::State& state) {
    inPlace(state, [&](Samples& x) { reverseFrames(x, whole(state)); });
}
// A fade (second argument 1) or one factor throughout (0).
void Volume(benchmark::State& state) {
    const VolumeSettings volume{0.5f, state.range(1) == 1 ? 1.5f : 0.5f};
    inPlace(state, [&](Samples& x) { changeVolume(x, whole(state), volume, false); });
}
void Normalize(benchmark::State& state) {
    inPlace(state, [&](Samples& x) {
        SampleExtremes extremes;
        scanExtremes(x, whole(state), extremes);
        normalizeFrames(x, whole(state), peakOf(extremes, false), false);
    });
}
void Soften(benchmark::State& state) {
    inPlace(state, [&](Samples& x) { softenFrames(x, {0, frames(state) - 2}, false); });
}
void Shrink(benchmark::State& state) {
    inPlace(state, [&](Samples& x) { shrinkFrames(x, frames(state), whole(state), 4); });
}
void AlienVoice2(benchmark::State& state) {
    inPlace(state, [&](Samples& x) { ringModulate(x, whole(state), false); });
}
// Both channels in one pass: they share the carrier.
void Satellite(benchmark::State& state) {
    onBothChannels(state, [&](Samples& left, Samples& right) {
        satelliteModulate(left, right, whole(state), Rate, false);
    });
}
void Filter(benchmark::State& state) {
    inPlace(state, [&](Samples& x) { filterFrames(x, whole(state), {true, 30, 0.5f}, false); });
}
void Echo(benchmark::State& state) {
    const EchoSettings echo{100, 50, 100, 50, int16_t(state.range(1)), false};
    const int64_t last = *echoLastFrame(echo, whole(state), frames(state), Rate);
    std::vector<int32_t> sums;
    rebuilt(state, last + 1, [&](const Samples& x, Samples& out) {
        addEcho(x, last + 1, whole(state), echo, Rate, false, sums, out);
    });
}
void Speed(benchmark::State& state) {
    const SpeedSettings speeds{float(state.range(1)) / 100, float(state.range(2)) / 100};
    const int64_t room = *speedOutputBound(frames(state), whole(state), speeds);
    rebuilt(state, room,
            [&](const Samples& x, Samples& out) { changeSpeed(x, whole(state), speeds, 0, out); });
}
void AlienVoice1(benchmark::State& state) {
    rebuilt(state, alienVoiceBound(frames(state)),
            [&](const Samples& x, Samples& out) { alienVoiceFrames(x, whole(state), out); });
}
void Creaking(benchmark::State& state) {
    rebuilt(state, creakBound(frames(state), whole(state)),
            [&](const Samples& x, Samples& out) { creakFrames(x, whole(state), false, out); });
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
    // Gives the editor the benchmark's sound of `minutes` as an untitled stereo sound with an
    // empty history.
    void load(int64_t minutes) {
        editor_->history().clear();
        Document& doc = editor_->doc();
        doc.FileName = "*";
        doc.Channels = 2;
        doc.BitsPerSample = 16;
        doc.SampleRate = float(Rate);
        doc.SampleCount = int32_t(soundOf(minutes).left.size());
        doc.LeftSamples = soundOf(minutes).left;
        doc.RightSamples = soundOf(minutes).right;
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

// Every effect on the whole sound as the menu runs it, which is what a user waits for: the
// effect, its undo snapshot (a copy in memory, written to its file on a thread of its own) and,
// for the effects that change the length, the new arrays.
void EditorEffect(benchmark::State& state, void (*command)(Editor&)) {
    BenchEditor editor;
    for (auto _ : state) {
        state.PauseTiming();
        editor.load(state.range(0));
        state.ResumeTiming();
        command(*editor);
    }
    state.SetItemsProcessed(state.iterations() * frames(state));
}

const struct {
    const char* name;
    void (*command)(Editor&);
} EditorCommands[] = {
    {"EditorReverse", [](Editor& e) { e.effects().reverse(); }},
    {"EditorVolume", [](Editor& e) { e.effects().changeVolume(0.5f, 1.5f); }},
    {"EditorNormalize", [](Editor& e) { e.effects().normalize(); }},
    {"EditorSoften", [](Editor& e) { e.effects().soften(); }},
    {"EditorShrink", [](Editor& e) { e.effects().shrink(4); }},
    {"EditorSpeed", [](Editor& e) { e.effects().changeSpeed(1.5f, 1.5f); }},
    {"EditorSpeedRising", [](Editor& e) { e.effects().changeSpeed(0.5f, 2.0f); }},
    {"EditorEcho", [](Editor& e) { e.effects().makeEcho(100, 50, 100, 50, 1, 0); }},
    {"EditorEchoThreeSofter", [](Editor& e) { e.effects().makeEcho(100, 50, 100, 50, 3, 1); }},
    {"EditorAlienVoice1", [](Editor& e) { e.effects().alienVoice1(); }},
    {"EditorAlienVoice2", [](Editor& e) { e.effects().alienVoice2(); }},
    {"EditorSatellite", [](Editor& e) { e.effects().satellite(); }},
    {"EditorCreaking", [](Editor& e) { e.effects().creaking(); }},
    {"EditorFilter", [](Editor& e) { e.effects().filterByThreshold(true, 30, 0.5f); }},
};

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
        editor->edits().copy();
        selection.SelStart = selection.SelEnd = double(frames(state) - 1);
        editor->edits().paste();
    }
    state.SetItemsProcessed(state.iterations() * frames(state));
}

// An open of the sound from a file (second argument 1) or a save of it to that file (0).
void EditorOpenAndSave(benchmark::State& state) {
    BenchEditor editor;
    editor.load(state.range(0));
    const std::string saved = editor.file("saved.wav").string();
    editor->doc().FileName = saved;
    editor->files().saveToItsFile(ProgressSaving);
    const bool open = state.range(1) == 1;
    for (auto _ : state) {
        if (open)
            editor->files().openWave(saved, "saved.wav");
        else
            editor->files().saveToItsFile(ProgressSaving);
    }
    state.SetItemsProcessed(state.iterations() * frames(state));
}

// An undo and a redo of a volume change: each writes the current sound as a snapshot and reads
// another.
void EditorUndoRedo(benchmark::State& state) {
    BenchEditor editor;
    editor.load(state.range(0));
    editor->effects().changeVolume(0.5f, 0.5f);
    for (auto _ : state) {
        editor->history().undo();
        editor->history().redo();
    }
    state.SetItemsProcessed(state.iterations() * frames(state) * 2);
}

// Every benchmark on the 10- and the 60-minute sound.
void lengths(benchmark::internal::Benchmark* benchmark, std::vector<int64_t> more = {}) {
    for (const int64_t minutes : {10, 60}) {
        std::vector<int64_t> args{minutes};
        args.insert(args.end(), more.begin(), more.end());
        benchmark->Args(args)->Unit(benchmark::kMillisecond);
    }
}

BENCHMARK(Reverse)->Apply([](auto* b) { lengths(b); });
BENCHMARK(Volume)->Apply([](auto* b) {
    lengths(b, {1});
    lengths(b, {0});
});
BENCHMARK(Normalize)->Apply([](auto* b) { lengths(b); });
BENCHMARK(Soften)->Apply([](auto* b) { lengths(b); });
BENCHMARK(Shrink)->Apply([](auto* b) { lengths(b); });
BENCHMARK(Speed)->Apply([](auto* b) {
    lengths(b, {150, 150});
    lengths(b, {50, 200});
});
BENCHMARK(Echo)->Apply([](auto* b) {
    lengths(b, {1});
    lengths(b, {3});
});
BENCHMARK(AlienVoice1)->Apply([](auto* b) { lengths(b); });
BENCHMARK(AlienVoice2)->Apply([](auto* b) { lengths(b); });
BENCHMARK(Satellite)->Apply([](auto* b) { lengths(b); });
BENCHMARK(Creaking)->Apply([](auto* b) { lengths(b); });
BENCHMARK(Filter)->Apply([](auto* b) { lengths(b); });
const bool editorEffectsRegistered = [] {
    for (const auto& [name, command] : EditorCommands)
        benchmark::RegisterBenchmark(name, EditorEffect, command)->Apply([](auto* b) {
            lengths(b);
        });
    return true;
}();
BENCHMARK(EditorCopyPaste)->Apply([](auto* b) { lengths(b); });
BENCHMARK(EditorOpenAndSave)->Apply([](auto* b) {
    lengths(b, {1});
    lengths(b, {0});
});
BENCHMARK(EditorUndoRedo)->Apply([](auto* b) { lengths(b); });

} // namespace
} // namespace sono

BENCHMARK_MAIN();
