#include "SoundStream.h"

#include <algorithm>
#include <cstring>

#include "formats/InterleavedSamples.h"

namespace sono {

SoundStream::SoundStream(const SoundInMemory& sound)
    : left_(sound.left), right_(sound.right), first_(sound.first), frames_(sound.frames),
      channels_(sound.channels), bytesPerSample_(sound.bits / 8),
      frameBytes_(int64_t(sound.channels) * (sound.bits / 8)) {}

qint64 SoundStream::readData(char* data, qint64 maxSize) {
    const int64_t frame = pos() / frameBytes_;
    const int64_t count = std::min<int64_t>(maxSize / frameBytes_, frames_ - frame);
    if (count <= 0) return 0;
    // The channels may have become shorter than when the play began; what they no longer hold
    // is silence.
    const int64_t from = first_ + frame;
    const auto channelSize =
        int64_t(channels_ == 2 ? std::min(left_.size(), right_.size()) : left_.size());
    const int64_t held = std::clamp<int64_t>(channelSize - from, 0, count);
    auto* bytes = reinterpret_cast<uint8_t*>(data);
    if (held > 0)
        joinInterleaved(left_.data() + from, channels_ == 2 ? right_.data() + from : nullptr,
                        size_t(held), channels_, bytesPerSample_, bytes);
    std::memset(bytes + held * frameBytes_, bytesPerSample_ == 1 ? 128 : 0,
                size_t((count - held) * frameBytes_));
    return count * frameBytes_;
}

} // namespace sono
