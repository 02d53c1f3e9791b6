// Feeds arbitrary bytes to the MP3 frame-header reader of the open dialog's preview, with and
// without an ID3v2 tag in front.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "FuzzInput.h"
#include "mp3/Mp3Frame.h"

namespace {
void check(const std::optional<sono::Mp3FrameTexts>& texts) {
    if (texts && (texts->seconds < 0 || texts->bitrate.empty() || texts->channelMode.empty()))
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    check(sono::mp3FrameInfoOf(std::span(data, size), int64_t(size), 0));
    check(sono::Mp3FrameInfo(sono::fuzz::inputFile(data, size), 1));
    return 0;
}
