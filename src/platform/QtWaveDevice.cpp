#include "QtWaveDevice.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QAudioSource>
#include <QFile>
#include <QMediaDevices>

#include <algorithm>

#include "formats/ByteFile.h"
#include "formats/WavWriter.h"
#include "formats/WaveHeader.h"

namespace sono {

namespace {
// The device reads ahead no more than this, so the play position follows what is heard.
constexpr int AheadMs = 100;

QString local(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}
} // namespace

QtWaveDevice::QtWaveDevice() = default;

QtWaveDevice::~QtWaveDevice() {
    close();
}

void QtWaveDevice::setRecordingFormat(int rate, int channels) {
    recordRate_ = rate;
    recordChannels_ = channels;
}

bool QtWaveDevice::open(const std::string& path, Purpose purpose) {
    close();
    purpose_ = purpose;
    path_ = path;
    open_ = purpose == Purpose::Play ? openToPlay(path) : openToRecord();
    return open_;
}

namespace {
bool playable(int rate, int channels, int bits) {
    return (bits == 8 || bits == 16) && (channels == 1 || channels == 2) && rate > 0;
}
} // namespace

void QtWaveDevice::setPlayFormat(int rate, int channels, int bits) {
    format_.setSampleRate(rate);
    format_.setChannelCount(channels);
    format_.setSampleFormat(bits == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
}

bool QtWaveDevice::makeSink() {
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull() || !output.isFormatSupported(format_)) return false;
    sink_ = std::make_unique<QAudioSink>(output, format_);
    sink_->setBufferSize(format_.bytesForDuration(AheadMs * 1000));
    return true;
}

bool QtWaveDevice::openToPlay(const std::string& path) {
    const std::optional<WaveHeader> header = readWaveHeader(path);
    if (!header) return false;
    const WaveFormat& wave = header->format;
    if (wave.formatTag != 1 || !playable(wave.sampleRate, wave.channels, wave.bitsPerSample))
        return false;
    setPlayFormat(wave.sampleRate, wave.channels, wave.bitsPerSample);
    QFile file(local(path));
    if (!file.open(QIODevice::ReadOnly) || !file.seek(header->dataStart)) return false;
    samples_ = file.read(header->frames() * format_.bytesPerFrame());
    return makeSink();
}

bool QtWaveDevice::openSound(const SoundInMemory& sound) {
    close();
    purpose_ = Purpose::Play;
    path_.clear();
    if (!playable(sound.rate, sound.channels, sound.bits)) return false;
    setPlayFormat(sound.rate, sound.channels, sound.bits);
    if (!makeSink()) return false;
    stream_ = std::make_unique<SoundStream>(sound);
    stream_->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    open_ = true;
    return true;
}

QIODevice& QtWaveDevice::playedBytes() {
    if (stream_) return *stream_;
    buffer_.close();
    buffer_.setData(samples_);
    buffer_.open(QIODevice::ReadOnly);
    return buffer_;
}

bool QtWaveDevice::openToRecord() {
    const QAudioDevice input = QMediaDevices::defaultAudioInput();
    if (input.isNull()) return false;
    // 16 bits at the sound's own rate and channels; else 16 bits in the input's own rate and
    // channels (the merge converts).
    format_.setSampleFormat(QAudioFormat::Int16);
    format_.setSampleRate(recordRate_);
    format_.setChannelCount(recordChannels_);
    if (!input.isFormatSupported(format_)) {
        const QAudioFormat preferred = input.preferredFormat();
        format_.setSampleRate(preferred.sampleRate());
        format_.setChannelCount(std::clamp(preferred.channelCount(), 1, 2));
        if (!input.isFormatSupported(format_)) return false;
    }
    source_ = std::make_unique<QAudioSource>(input, format_);
    return true;
}

int64_t QtWaveDevice::bytesAt(int64_t ms) const {
    return format_.bytesForFrames(format_.framesForDuration(ms * 1000));
}

int64_t QtWaveDevice::running() const {
    // The device takes the samples ahead of what is heard (the sound server buffers them), so
    // the clock tells how far the sound has come, and what was handed over bounds it.
    const int64_t handed = (sink_     ? sink_->processedUSecs()
                            : source_ ? source_->processedUSecs()
                                      : 0) /
                           1000;
    return purpose_ == Purpose::Record ? handed : std::min<int64_t>(started_.elapsed(), handed);
}

void QtWaveDevice::play() {
    if (!open_ || purpose_ != Purpose::Play) return;
    if (active_) stop();
    QIODevice& bytes = playedBytes();
    bytes.seek(std::min<int64_t>(bytesAt(stoppedMs_), bytes.size()));
    startMs_ = stoppedMs_;
    started_.start();
    sink_->start(&bytes);
    active_ = sink_->error() == QAudio::NoError;
}

void QtWaveDevice::stop() {
    if (!active_) return;
    stoppedMs_ = position();
    active_ = false;
    if (sink_) sink_->stop();
    if (source_) source_->stop();
}

void QtWaveDevice::close() {
    stop();
    // Qt's audio objects run the event loop while they are destroyed; handed to the event loop
    // instead, they go once the command that closed the device has ended. The sound's bytes go
    // with the sink that read them, after it.
    if (stream_) stream_.release()->setParent(sink_.get());
    if (sink_) sink_.release()->deleteLater();
    if (source_) source_.release()->deleteLater();
    buffer_.close();
    samples_.clear();
    open_ = false;
    startMs_ = stoppedMs_ = 0;
}

void QtWaveDevice::record() {
    if (!open_ || purpose_ != Purpose::Record) return;
    samples_.clear();
    buffer_.close();
    buffer_.setBuffer(&samples_);
    buffer_.open(QIODevice::WriteOnly);
    startMs_ = 0;
    source_->start(&buffer_);
    active_ = source_->error() == QAudio::NoError;
}

bool QtWaveDevice::save() {
    if (!open_ || purpose_ != Purpose::Record) return false;
    // A canonical PCM file: the format chunk, then the samples as recorded.
    const std::string header = canonicalWaveHeader(
        format_.channelCount(), format_.sampleRate(), format_.bytesPerSample() * 8,
        uint32_t(samples_.size()), uint32_t(36 + samples_.size()));
    // A work file like the others: made afresh, never through a link, and gone when incomplete.
    ReplacingFile file(path_, ReplacingFile::Kind::WorkFile);
    file.write(header.data(), header.size());
    file.write(samples_.constData(), size_t(samples_.size()));
    return file.commit();
}

void QtWaveDevice::seek(int64_t ms) {
    const bool wasActive = active_;
    stop();
    stoppedMs_ = std::clamp<int64_t>(ms, 0, std::max<int64_t>(length(), 0));
    if (wasActive) play();
}

int64_t QtWaveDevice::position() const {
    if (!open_) return 0;
    if (!active_) return stoppedMs_;
    if (purpose_ == Purpose::Record) return running();
    return std::min(startMs_ + running(), length());
}

int64_t QtWaveDevice::length() const {
    if (!open_) return 0;
    if (purpose_ == Purpose::Record) return position() + 1;
    return format_.durationForBytes(stream_ ? stream_->size() : samples_.size()) / 1000;
}

} // namespace sono
