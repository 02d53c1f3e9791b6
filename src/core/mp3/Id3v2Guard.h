#pragma once
// Whether the ID3v2 tag of an MP3 file may be handed to a tag library. A tag library unpacks each
// compressed frame whole, however large it becomes, so a file of a megabyte can ask for
// gigabytes; this looks at the tag first with memory of its own bounded by the limit.
#include <cstdint>
#include <string>

namespace sono {

// The most an ID3v2 tag may hold, as stored and once its compressed frames are unpacked: room
// for a large cover picture.
inline constexpr int64_t Id3v2TagLimit = 16 << 20;
// The most its texts, comments and other frames a tag library splits into entries may hold
// together: far more than any real tag's, while a tag library's lists of them stay within some
// tens of megabytes.
inline constexpr int64_t Id3v2TextLimit = 256 << 10;

// True when the file has no ID3v2 tag or one that stays within `limit` bytes, and its texts
// within Id3v2TextLimit, its compressed frames (those inside chapters too) counted by what they
// unpack to. False for a tag the file cannot hold (cut off, or larger than the file), one of an
// unknown version, and a file that cannot be opened.
bool id3v2TagIsSafe(const std::string& path, int64_t limit = Id3v2TagLimit);

} // namespace sono
