#pragma once
// A sound device that plays and records nothing: what a batch run uses, since no command of a
// script makes a sound, and what the window uses until it has a real sound output. Opening a
// file or a sound fails, so a recording never starts and the position display stays idle.
#include "ports/WaveDevice.h"

namespace sono {

class SilentWaveDevice : public WaveDevice {
  public:
    bool open(const std::string&, Purpose) override { return false; }
    bool openSound(const SoundInMemory&) override { return false; }
    void play() override {}
    void stop() override {}
    void close() override {}
    void record() override {}
    bool save() override { return false; }
    void seek(int64_t) override {}
    int64_t position() const override { return 0; }
    int64_t length() const override { return 0; }
};

} // namespace sono
