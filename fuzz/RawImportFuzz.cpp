// Feeds arbitrary bytes to the raw import, which reads any file as samples: the first byte
// chooses the bits and channels the user would pick, the rest is the file.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "FuzzInput.h"
#include "formats/RawImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int bits = data[0] & 1 ? 16 : 8;
    const int channels = data[0] & 2 ? 2 : 1;
    const sono::RawReadResult read =
        sono::readRawFile(sono::fuzz::inputFile(data + 1, size - 1), bits, channels);
    if (!read.ok) return 0;
    const double expected = std::nearbyint(double(size - 1) / channels / (bits / 8));
    if (read.frames != int32_t(expected) || read.left.size() != std::max<size_t>(read.frames, 1))
        std::abort();
    if (channels == 2 && read.right.size() != read.left.size()) std::abort();
    return 0;
}
