#include "document/Selection.h"

#include <algorithm>

#include "support/Numbers.h"

namespace sono {

FrameRange Selection::effectRange(int64_t frames) const {
    if (!exists()) return {0, frames - 1};
    return {std::max<int64_t>(int64_t(SelStart), 0),
            std::min<int64_t>(int64_t(SelEnd), frames - 1)};
}

FrameRange Selection::editRange(int64_t frames) const {
    frames = std::max<int64_t>(frames, 0);
    if (!exists()) return {0, frames - 1};
    const int64_t first = std::clamp<int64_t>(roundToInt(SelStart), 0, frames);
    const int64_t count = std::clamp<int64_t>(roundToInt(SelEnd - SelStart + 1), 0, frames - first);
    return {first, first + count - 1};
}

FrameRange Selection::pasteRange(int64_t frames) const {
    const int64_t first = std::clamp<int64_t>(roundToInt(SelStart), 0, frames - 1);
    return {first, std::clamp<int64_t>(roundToInt(SelEnd), first, frames - 1)};
}

ChannelScope Selection::channels(bool stereo, bool bothChannelsOption) const {
    if (!stereo) return {true, false};
    if (bothChannelsOption || !exists()) return {true, true};
    return {SelChannel != 2, SelChannel != 1};
}

} // namespace sono
