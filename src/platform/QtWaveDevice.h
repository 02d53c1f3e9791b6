#pragma once
// The sound card through Qt Multimedia (PulseAudio or PipeWire underneath): frames of a sound in
// memory, or a WAV file, of 8 or 16 bits, mono or stereo, play at their own rate from a chosen
// position; a recording is taken from the default input and saved as a 16-bit WAV file.
// Positions are in milliseconds of what was opened. The device needs the event loop to run while
// it plays or records.
#include <QAudioFormat>
#include <QBuffer>
#include <QByteArray>
#include <QElapsedTimer>

#include <memory>
#include <string>

#include "ports/WaveDevice.h"

#include "SoundStream.h"

class QAudioSink;
class QAudioSource;

namespace sono {

class QtWaveDevice : public WaveDevice {
  public:
    QtWaveDevice();
    ~QtWaveDevice() override;

    void setRecordingFormat(int rate, int channels) override;
    bool open(const std::string& path, Purpose purpose) override;
    bool openSound(const SoundInMemory& sound) override;
    void play() override;
    void stop() override;
    void close() override;
    void record() override;
    bool save() override;
    void seek(int64_t ms) override;
    int64_t position() const override;
    int64_t length() const override;

  private:
    bool openToPlay(const std::string& path);
    // The output device for the format set in format_, and the sink that plays to it; false
    // when the device cannot play the format.
    bool makeSink();
    void setPlayFormat(int rate, int channels, int bits);
    // The bytes that play: the sound's in memory, or the file's.
    QIODevice& playedBytes();
    bool openToRecord();
    int64_t bytesAt(int64_t ms) const;
    int64_t running() const; // ms played or recorded since the last start

    Purpose purpose_ = Purpose::Play;
    bool open_ = false;
    bool active_ = false; // started and not stopped
    std::string path_;
    QAudioFormat format_;
    QByteArray samples_; // the file's samples, or what was recorded
    QBuffer buffer_;
    std::unique_ptr<SoundStream> stream_; // the sound in memory, when that is what plays
    std::unique_ptr<QAudioSink> sink_;
    std::unique_ptr<QAudioSource> source_;
    int64_t startMs_ = 0;   // where the running play began
    QElapsedTimer started_; // since then
    int64_t stoppedMs_ = 0; // the position while nothing runs
    int recordRate_ = 44100;
    int recordChannels_ = 2;
};

} // namespace sono
