#include "editing/ClipFile.h"

#include <cstring>
#include <new>

#include "formats/ByteFile.h"

namespace sono {

namespace {
constexpr uint8_t Magic[4] = {0xA9, 0xAE, 0x2A, 0x26}; // "©®*&" in the one-byte code page

// Reads n samples after checking that the file still holds them, so a damaged count never
// asks for memory the file cannot fill.
bool readBlock(InputFile& in, Samples& into, int32_t frames) {
    if (in.size() - in.position() < int64_t(frames) * 2) return false;
    into.assign(size_t(frames), 0);
    return readSampleBlock(in, into.data(), size_t(frames));
}

std::optional<uint8_t> readTag(InputFile& in) {
    uint8_t tag;
    if (in.read(&tag, 1) != 1) return std::nullopt;
    return tag;
}
} // namespace

std::filesystem::path clipFilePath(const std::filesystem::path& tempDir) {
    return tempDir / std::filesystem::path(u8"%$&©®.dat");
}

bool writeClipFile(const std::filesystem::path& file, int32_t frames, int32_t bits, int32_t rate,
                   const std::vector<ClipBlock>& blocks) {
    std::string header(reinterpret_cast<const char*>(Magic), 4);
    appendLE32(header, uint32_t(frames));
    appendLE32(header, uint32_t(bits));
    appendLE32(header, uint32_t(rate));
    ReplacingFile out(file.string(), ReplacingFile::Kind::WorkFile);
    out.write(header.data(), header.size());
    for (const ClipBlock& block : blocks) {
        out.write(&block.tag, 1);
        writeSampleBlock(out, block.samples, size_t(std::max(frames, 0)));
    }
    const uint8_t end[2] = {0, 0};
    out.write(end, 2);
    return out.commit();
}

std::optional<ClipSource> readClipFile(const std::filesystem::path& file) {
    auto in = InputFile::open(file.string(), InputFile::Links::Refuse);
    if (!in) return std::nullopt;
    uint8_t header[16];
    if (in->read(header, 16) < 16 || std::memcmp(header, Magic, 4) != 0) return std::nullopt;
    ClipSource clip;
    clip.frames = int32_t(readLE32(header + 4));
    clip.bits = int32_t(readLE32(header + 8));
    clip.rate = int32_t(readLE32(header + 12));
    if (clip.frames <= 0 || clip.rate <= 0 || (clip.bits != 8 && clip.bits != 16))
        return std::nullopt;
    try {
        auto tag = readTag(*in);
        if (!tag || *tag == 0 || !readBlock(*in, clip.a, clip.frames)) return std::nullopt;
        tag = readTag(*in);
        if (!tag) return std::nullopt;
        if (*tag == 2) {
            if (!readBlock(*in, clip.b, clip.frames)) return std::nullopt;
            clip.channels = 2;
        }
        // The closing zero; after a mono clip's block, the second of the two.
        tag = readTag(*in);
        if (!tag || *tag != 0) return std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return clip;
}

} // namespace sono
