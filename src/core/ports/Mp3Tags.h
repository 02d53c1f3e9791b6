#pragma once
// The music information of MP3 files (their ID3 tags), read and written by a tag library.
#include <optional>
#include <string>
#include <vector>

namespace sono {

// The six fields of an MP3 file's music information, as UTF-8 texts.
struct Mp3Fields {
    std::string title, artist, album, year, comment, genre;
    bool empty() const {
        return title.empty() && artist.empty() && album.empty() && year.empty() &&
               comment.empty() && genre.empty();
    }
    bool operator==(const Mp3Fields&) const = default;
};

class Mp3Tags {
  public:
    virtual ~Mp3Tags() = default;
    // The file's fields (those of its ID3v2 tag where it has one, else its ID3v1 tag), each
    // without trailing control characters; nullopt when it has no tag or cannot be read, and when
    // its ID3v2 tag is larger than it is safe to read (see mp3/Id3v2Guard.h).
    virtual std::optional<Mp3Fields> read(const std::string& path) = 0;
    // Writes the fields as an ID3v1 tag (the genre by its number) and an ID3v2 tag; false when
    // the file is missing or could not be written.
    virtual bool write(const std::string& path, const Mp3Fields& fields) = 0;
    // The ID3v1 genre names numbered 0 to 148.
    virtual const std::vector<std::string>& genreNames() = 0;
};

} // namespace sono
