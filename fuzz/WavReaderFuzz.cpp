// Feeds arbitrary bytes to the WAV reader through an in-memory file and checks that whatever
// it accepts is a consistent sound.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

#include "formats/WavReader.h"

namespace {
int memoryFile() {
    static int fd = memfd_create("wav", 0);
    return fd;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int fd = memoryFile();
    if (fd < 0 || ftruncate(fd, 0) != 0) std::abort();
    if (size > 0 && pwrite(fd, data, size, 0) != ssize_t(size)) std::abort();
    sono::WavReadResult read = sono::readWaveFile("/proc/self/fd/" + std::to_string(fd));
    if (read.failure != sono::WavFailure::None) {
        if (read.frames != 0 || read.left.size() != 1 || read.right.size() != 1) std::abort();
        return 0;
    }
    const bool stereo = read.channels == 2;
    if (read.channels != 1 && !stereo) std::abort();
    if (read.bitsPerSample != 8 && read.bitsPerSample != 16) std::abort();
    if (read.frames < 0 || read.left.size() != size_t(read.frames)) std::abort();
    if (read.right.size() != (stereo ? size_t(read.frames) : 1)) std::abort();
    if (read.bitsPerSample == 8)
        for (int16_t s : read.left)
            if (s < 0 || s > 255) std::abort();
    return 0;
}
