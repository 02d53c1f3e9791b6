#pragma once
// An editor in a private temporary folder with a fake host, started as the program starts, and
// the helpers every editor test shares: sounds made to measure, selections and file bytes.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <numbers>
#include <numeric>
#include <random>

#include "FakeHost.h"
#include "editor/Editor.h"
#include "formats/ByteFile.h"

namespace sono::test {

// offset, offset + 1, ... offset + count - 1.
inline Samples ramp(int count, int offset = 0) {
    Samples out(static_cast<size_t>(count));
    std::iota(out.begin(), out.end(), int16_t(offset));
    return out;
}

// Samples drawn evenly from low..high, the same for the same seed.
inline Samples noise(size_t frames, unsigned seed, int low = -32768, int high = 32767) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> value(low, high);
    Samples samples(frames);
    for (auto& s : samples)
        s = int16_t(value(random));
    return samples;
}

// A sine of `period` frames a cycle.
inline Samples sine(size_t frames, double period, int amplitude) {
    Samples samples(frames);
    for (size_t k = 0; k < frames; ++k)
        samples[k] =
            int16_t(std::lround(amplitude * std::sin(2 * std::numbers::pi * double(k) / period)));
    return samples;
}

// The stretches one after the other.
inline Samples cat(std::initializer_list<Samples> parts) {
    Samples out;
    for (const Samples& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

// The little-endian bytes of 16-bit samples.
inline std::string le16(const Samples& samples) {
    std::string out;
    for (int16_t s : samples)
        appendLE16(out, uint16_t(s));
    return out;
}

// A name in the system's temporary folder that no other run of the tests uses at the same time.
inline std::filesystem::path privateTempPath(const std::string& name) {
    return std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "-" + name);
}

inline std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

// A limit on the size of the files this process writes, as `ulimit -f` sets one, while it lives:
// a write past it fails with EFBIG, as it does in the program, which ignores SIGXFSZ.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit old_{};
    void (*oldHandler_)(int);
};

class EditorFixture : public ::testing::Test {
  protected:
    // Whether the editor plays the sound after each change, as the listen option asks; the
    // tests of the transport turn it on.
    virtual bool playsSound() const { return false; }
    void SetUp() override {
        std::random_device seed;
        dir = std::filesystem::temp_directory_path() /
              ("sonotest-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(dir / "settings");
        std::filesystem::create_directories(dir / "temp");
        editor = std::make_unique<Editor>(
            EditorPorts{host, host, device, *coderPort, *tagsPort, desktopPort,
                        [this] { return availableMemory; }, workRunnerPort},
            EditorFolders{dir / "settings", dir / "temp", dir.string() + "/", true, playsSound()});
        editor->startUp();
        host.statusLog.clear();
    }
    void TearDown() override {
        editor.reset();
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    std::string path(const std::string& name) const { return (dir / name).string(); }
    Document& doc() { return editor->doc(); }

    // A new untitled sound holding exactly these samples (right empty: mono), unchanged, with
    // nothing selected, no undo history and empty host logs.
    void load(const Samples& left, const Samples& right = {}, float bits = 16, float rate = 22050) {
        doc().BitsPerSample = bits;
        doc().SampleRate = rate;
        editor->newEmptySound();
        Document& d = doc();
        d.SampleCount = int32_t(left.size());
        d.LeftSamples = left;
        d.Channels = right.empty() ? 1.0f : 2.0f;
        d.RightSamples = right.empty() ? Samples{0} : right;
        d.Changed = false;
        host.statusLog.clear();
        host.messages.clear();
        host.questions.clear();
        host.changes.clear();
        device.commands.clear();
    }

    void setBoth(bool on) {
        if (editor->options().bothChannels != on)
            editor->preferences().toggleOption(&Options::bothChannels);
    }
    // What the window leaves after a drag over frames first..last in view 1 or 2.
    void select(int first, int last, int view = 1, bool bothChannels = true) {
        setBoth(bothChannels);
        doc().selection = {double(first), double(last), view};
    }

    Samples& left() { return doc().LeftSamples; }
    Samples& right() { return doc().RightSamples; }
    Samples left(int from, int count) {
        return {left().begin() + from, left().begin() + from + count};
    }
    Samples at(std::initializer_list<int> frames) { // channel 1 at these frames
        Samples out;
        for (int frame : frames)
            out.push_back(left()[frame]);
        return out;
    }
    Samples right(int from, int count) {
        return {right().begin() + from, right().begin() + from + count};
    }

    FakeHost host;
    FakeWaveDevice device;
    FakeCoder coder;
    FakeTags tags;
    // The outside program and the tag library the editor uses: the fakes unless a test sets
    // real ones before SetUp.
    ExternalCoder* coderPort = &coder;
    Mp3Tags* tagsPort = &tags;
    Desktop* desktopPort = nullptr;
    WorkRunner* workRunnerPort = nullptr; // none: long work runs on the test's thread
    // What the editor is told the system's memory has to spare; 0 leaves undo snapshots no room
    // in memory.
    size_t availableMemory = size_t(1) << 32;
    std::filesystem::path dir;
    std::unique_ptr<Editor> editor;
};

} // namespace sono::test
