// Feeds arbitrary bytes as an MP3 file to the ID3v2 tag check and, when it lets the tag through,
// to TagLib, as an import does. The check gets a small limit here, so that what the fuzzer makes
// can pass it; the largest block TagLib then asks for must stay in proportion to that limit and
// the input, or TagLib unpacked something the check did not count.
#include <sanitizer/allocator_interface.h>
#include <taglib/mpegfile.h>
#include <taglib/tpropertymap.h>

#include <cstdint>
#include <cstdlib>

#include "FuzzInput.h"
#include "mp3/Id3v2Guard.h"

namespace {
constexpr int64_t Limit = 4096;

bool watching = false;
size_t largestBlock = 0;

void noteBlock(const volatile void*, size_t size) {
    if (watching && size > largestBlock) largestBlock = size;
}
void noteFree(const volatile void*) {}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (!__sanitizer_install_malloc_and_free_hooks(noteBlock, noteFree)) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = sono::fuzz::inputFile(data, size, "input.mp3");
    if (!sono::id3v2TagIsSafe(path, Limit)) return 0;
    largestBlock = 0;
    watching = true;
    {
        TagLib::MPEG::File file(path.c_str(), false);
        file.properties(); // every field as text
    }
    watching = false;
    // zlib's window of 32 KiB, and what the limit and the input become as wide-character text
    // while it is copied, stay well below this.
    if (largestBlock > 64 * 1024 + 8 * (size_t(Limit) + size)) std::abort();
    return 0;
}
