#include "GenreNames.h"

#include <taglib/id3v1genres.h>

namespace sono {

std::vector<std::string> id3GenreNames() {
    // TagLib knows the later Winamp additions too; the list stops where the ID3 table of the
    // MP3 tag fields stops.
    constexpr int GenreCount = 149;
    std::vector<std::string> names;
    names.reserve(GenreCount);
    for (int i = 0; i < GenreCount; ++i)
        names.push_back(TagLib::ID3v1::genre(i).to8Bit(true));
    return names;
}

} // namespace sono
