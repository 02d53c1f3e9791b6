#pragma once
// Reads the file a recording was saved to: "RIFF", a size, "WAVE", then chunks until the end of
// the file. "fmt " gives the format (PCM only) and may be longer than 16 bytes; "data" holds the
// frames (sizes are taken as they stand, so an odd size leaves its last byte unread); other
// chunks are skipped. The samples become a clip for the paste engine.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "document/ClipSource.h"

namespace sono {

// nullopt when the file is missing or not such a file, its format is not PCM, or it has bits
// other than 8 or 16, or channels other than 1 or 2. stepDone is called after each of the 50
// steps of splitting the frames.
std::optional<ClipSource> readRecordedFile(const std::string& path,
                                           const std::function<void(int step)>& stepDone = {});

} // namespace sono
