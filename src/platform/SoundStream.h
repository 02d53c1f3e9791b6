#pragma once
// Frames of a sound in memory read as the interleaved bytes a WAV file of them would hold, for the
// audio sink to pull while it plays: nothing is copied ahead of what the device asks for, so a
// play of an hour starts as soon as one of a second.
#include <QIODevice>

#include "ports/WaveDevice.h"

namespace sono {

class SoundStream : public QIODevice {
  public:
    explicit SoundStream(const SoundInMemory& sound);

    bool isSequential() const override { return false; }
    qint64 size() const override { return frames_ * frameBytes_; }

  protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    const std::vector<int16_t>& left_;
    const std::vector<int16_t>& right_;
    int64_t first_;
    int64_t frames_;
    int channels_;
    int bytesPerSample_;
    int64_t frameBytes_;
};

} // namespace sono
