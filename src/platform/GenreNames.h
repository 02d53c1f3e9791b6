#pragma once
// The ID3v1 genre table, as the MP3 tag library knows it.
#include <string>
#include <vector>

namespace sono {

// The 149 genre names numbered 0 to 148, in number order, as UTF-8.
std::vector<std::string> id3GenreNames();

} // namespace sono
