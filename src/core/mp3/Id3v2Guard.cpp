#include "mp3/Id3v2Guard.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>
#include <zlib.h>

#include "formats/ByteFile.h"

namespace sono {

namespace {

using Bytes = std::span<const uint8_t>;

// The tag header, and the frame headers of versions 2.3 and 2.4.
constexpr size_t HeaderBytes = 10;

uint32_t bigEndian32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

bool isSyncsafe(const uint8_t* p) {
    return ((p[0] | p[1] | p[2] | p[3]) & 0x80) == 0;
}

// Four bytes of seven bits each. Some writers put plain numbers where version 2.4 wants these;
// readers take a number with a high bit set as a plain one, and so does this.
uint32_t syncsafe(const uint8_t* p) {
    if (!isSyncsafe(p)) return bigEndian32(p);
    return uint32_t(p[0]) << 21 | uint32_t(p[1]) << 14 | uint32_t(p[2]) << 7 | uint32_t(p[3]);
}

// Where a tag library finds the tag: at the first "ID3" in the file. It searches as far as the
// first MPEG frame it trusts, so that a tag behind some junk is found too; searching the whole
// file is the safe side of that.
std::optional<int64_t> firstTagStart(InputFile& file) {
    constexpr std::string_view Id = "ID3";
    std::vector<char> chunk(64 * 1024);
    int64_t chunkStart = 0;
    size_t kept = 0; // the end of the chunk before, which may hold the start of an "ID3"
    while (const size_t read = file.read(chunk.data() + kept, chunk.size() - kept)) {
        const std::string_view text(chunk.data(), kept + read);
        if (const size_t found = text.find(Id); found != text.npos)
            return chunkStart + int64_t(found);
        kept = std::min(text.size(), Id.size() - 1);
        std::copy(text.end() - kept, text.end(), chunk.begin());
        chunkStart += int64_t(text.size() - kept);
    }
    return std::nullopt;
}

// Unsynchronisation put a zero behind every 0xFF, so that no pair of bytes looks like an MPEG
// sync; a reader takes those zeros out before it reads anything else.
std::vector<uint8_t> resynchronised(Bytes bytes) {
    std::vector<uint8_t> out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        out.push_back(bytes[i]);
        if (bytes[i] == 0xFF && i + 1 < bytes.size() && bytes[i + 1] == 0) ++i;
    }
    return out;
}

// What a zlib stream unpacks to, counted in a small buffer up to just past `most`. A broken
// stream counts what came out before the break: a tag library holds that in memory all the same.
int64_t unpackedBytes(Bytes stream, int64_t most) {
    z_stream zlib{};
    if (inflateInit(&zlib) != Z_OK) return most + 1;
    zlib.next_in = const_cast<Bytef*>(stream.data());
    zlib.avail_in = uInt(stream.size());
    std::array<Bytef, 16 * 1024> buffer;
    int64_t count = 0;
    int result = Z_OK;
    while (result == Z_OK && count <= most) {
        zlib.next_out = buffer.data();
        zlib.avail_out = uInt(buffer.size());
        result = inflate(&zlib, Z_NO_FLUSH);
        count += int64_t(buffer.size() - zlib.avail_out);
    }
    inflateEnd(&zlib);
    return count;
}

// Where the frames inside a chapter begin: behind its element ID and its four times (CHAP), or
// behind its element ID, flags, count and the IDs of that many children (CTOC). A text without
// its end leaves nothing to go by.
std::optional<size_t> chapterFramesStart(Bytes contents, bool chapter) {
    size_t at = 0;
    auto skipText = [&] {
        const auto end = std::find(contents.begin() + ptrdiff_t(at), contents.end(), 0);
        at = size_t(end - contents.begin()) + 1;
        return end != contents.end();
    };
    if (!skipText()) return std::nullopt;
    if (chapter) return at + 16;
    if (at + 2 > contents.size()) return std::nullopt;
    const int children = contents[at + 1];
    at += 2;
    for (int i = 0; i < children; ++i)
        if (!skipText()) return std::nullopt;
    return at;
}

// Frames a tag library splits into a list of texts or entries, each of which costs it far more
// memory than its bytes (some hundred times for a list of one-letter texts).
bool splitIntoEntries(std::string_view id) {
    return id[0] == 'T' || id == "COMM" || id == "USLT" || id == "SYLT" || id == "IPLS" ||
           id == "ETCO" || id == "WXXX";
}

// Walks the frames of a version 2.3 or 2.4 tag the way a tag library reads them, spending the
// limit on what the compressed ones unpack to, and the far smaller one of texts on the frames it
// splits into entries.
class FrameCheck {
  public:
    FrameCheck(int version, bool unsynchronised, int64_t limit)
        : version_(version), unsynchronised_(unsynchronised), left_(limit),
          textLeft_(std::min(limit, Id3v2TextLimit)) {}

    // The frames from `at` on. A reader stops at padding (a zero byte) and at a frame longer than
    // what is left; the frames it does read all stand before that.
    bool framesFit(Bytes data, size_t at, bool inChapter) {
        while (at + HeaderBytes <= data.size() && data[at] != 0) {
            const uint32_t size = frameSize(data, at);
            if (size == 0 || size > data.size() - at) break;
            if (!frameFits(data.subspan(at), size, inChapter)) return false;
            at += HeaderBytes + size;
        }
        return true;
    }

  private:
    // Version 2.4 sizes are syncsafe, but iTunes wrote plain ones; readers take the plain number
    // where only it leads to another frame.
    uint32_t frameSize(Bytes data, size_t at) const {
        const uint32_t plain = bigEndian32(&data[at + 4]);
        if (version_ == 3) return plain;
        const uint32_t size = syncsafe(&data[at + 4]);
        auto leadsToFrame = [&](uint32_t candidate) {
            const size_t next = at + HeaderBytes + candidate;
            return next + 4 <= data.size() &&
                   std::all_of(&data[next], &data[next] + 4, [](uint8_t c) {
                       return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
                   });
        };
        return size > 127 && !leadsToFrame(size) && leadsToFrame(plain) ? plain : size;
    }

    // `frame` runs from the frame's header to the end of the tag (or chapter): a reader unpacks a
    // compressed frame from its data on to there, not only to the frame's end.
    bool frameFits(Bytes frame, uint32_t size, bool inChapter) {
        const uint8_t flags = frame[9];
        const bool compressed = flags & (version_ == 3 ? 0x80 : 0x08);
        // The data of a compressed frame, and of any 2.4 frame that says so, starts with the
        // size it unpacks to.
        const bool sizeFirst = compressed || (version_ == 4 && (flags & 0x01));
        Bytes data = frame.subspan(HeaderBytes);
        std::vector<uint8_t> resynced;
        if (version_ == 4 && (unsynchronised_ || (flags & 0x02))) {
            resynced = resynchronised(data.first(std::min<size_t>(size, data.size())));
            data = resynced;
        }
        const std::string_view id(reinterpret_cast<const char*>(frame.data()), 4);
        if (id == "CHAP" || id == "CTOC") {
            // A chapter holds frames of its own, read as those of the tag are; one inside
            // another, or packed so that its frames could only be seen unpacked, is refused.
            if (inChapter || sizeFirst) return false;
            const Bytes contents = data.first(std::min<size_t>(size, data.size()));
            const std::optional<size_t> start = chapterFramesStart(contents, id == "CHAP");
            return start && framesFit(contents, *start, true);
        }
        const bool entries = splitIntoEntries(id);
        if (!compressed || data.size() < 4) { // nothing to unpack
            if (entries) textLeft_ -= size;
            return textLeft_ >= 0;
        }
        const int64_t most = entries ? std::min(left_, textLeft_) : left_;
        const int64_t claimed = version_ == 3 ? bigEndian32(data.data()) : syncsafe(data.data());
        if (claimed > most) return false;
        const int64_t unpacked = unpackedBytes(data.subspan(4), most);
        left_ -= unpacked;
        if (entries) textLeft_ -= unpacked;
        return left_ >= 0 && textLeft_ >= 0;
    }

    int version_;
    bool unsynchronised_;
    int64_t left_;
    int64_t textLeft_;
};

// Where the frames begin: behind the extended header, when there is one. Its size counts its own
// four bytes in version 2.4 but not in 2.3, where some readers skip only the size all the same,
// so a 2.3 tag's frames are looked at from both places. None when it runs past the tag.
std::vector<size_t> frameStarts(Bytes tag, int version, bool extendedHeader) {
    if (!extendedHeader) return {0};
    if (tag.size() < 4) return {};
    std::vector<size_t> starts = {syncsafe(tag.data())};
    if (version == 3) starts.push_back(4 + size_t(bigEndian32(tag.data())));
    if (std::any_of(starts.begin(), starts.end(), [&](size_t at) { return at > tag.size(); }))
        return {};
    return starts;
}

} // namespace

bool id3v2TagIsSafe(const std::string& path, int64_t limit) {
    const auto file = InputFile::open(path);
    if (!file) return false;
    const std::optional<int64_t> start = firstTagStart(*file);
    if (!start) return true;
    uint8_t header[HeaderBytes];
    if (!file->seek(*start) || file->read(header, sizeof header) != sizeof header) return false;
    const int version = header[3];
    const uint8_t flags = header[5];
    if (version < 2 || version > 4 || !isSyncsafe(header + 6)) return false;
    // The size counts neither the header nor the footer a 2.4 tag may have behind its frames.
    const int64_t size = syncsafe(header + 6);
    if (size > limit || size > file->size() - file->position()) return false;
    // Version 2.2 knows no compressed frames.
    if (version == 2) return true;

    std::vector<uint8_t> tag(size_t(size), 0);
    if (file->read(tag.data(), tag.size()) != tag.size()) return false;
    // Version 2.3 unsynchronises the tag as a whole, 2.4 each frame on its own.
    const bool unsynchronised = flags & 0x80;
    if (unsynchronised && version == 3) tag = resynchronised(tag);
    const std::vector<size_t> starts = frameStarts(tag, version, flags & 0x40);
    FrameCheck check(version, unsynchronised, limit);
    return !starts.empty() && std::all_of(starts.begin(), starts.end(), [&](size_t at) {
        return check.framesFit(tag, at, false);
    });
}

} // namespace sono
