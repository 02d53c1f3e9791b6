#include "TagLibMp3Tags.h"

#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

#include <filesystem>

#include "GenreNames.h"
#include "mp3/Id3v2Guard.h"
#include "mp3/Mp3Exchange.h"

namespace sono {

namespace {
// A field as shown: without the control characters a tag pads its fields with.
std::string trimmed(const TagLib::String& text) {
    std::string utf8 = text.to8Bit(true);
    while (!utf8.empty() && static_cast<unsigned char>(utf8.back()) < 32)
        utf8.pop_back();
    return utf8;
}

TagLib::String tagText(const std::string& utf8) {
    return TagLib::String(utf8, TagLib::String::UTF8);
}

unsigned yearNumber(const std::string& year) {
    try {
        const int number = std::stoi(year);
        return number > 0 ? unsigned(number) : 0;
    } catch (const std::exception&) {
        return 0;
    }
}
} // namespace

std::optional<Mp3Fields> TagLibMp3Tags::read(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    // TagLib reads the ID3v2 tag as it opens the file and unpacks its compressed frames whole,
    // so a tag that could ask for more memory than the limit keeps the file's fields unread.
    if (!id3v2TagIsSafe(path)) return std::nullopt;
    TagLib::MPEG::File file(path.c_str(), false);
    if (!file.isValid() || (!file.hasID3v1Tag() && !file.hasID3v2Tag())) return std::nullopt;
    const std::vector<std::string>& genres = genreNames();
    Mp3Fields v1;
    if (TagLib::ID3v1::Tag* tag = file.ID3v1Tag()) {
        v1 = {trimmed(tag->title()),   trimmed(tag->artist()),
              trimmed(tag->album()),   tag->year() ? std::to_string(tag->year()) : "",
              trimmed(tag->comment()), genreName(int(tag->genreNumber()), genres)};
    }
    if (!file.hasID3v2Tag()) return v1;
    TagLib::ID3v2::Tag* tag = file.ID3v2Tag();
    auto either = [](std::string v2, const std::string& fallback) {
        return v2.empty() ? fallback : v2;
    };
    std::string genre = trimmed(tag->genre());
    // A known genre is spelt as the list spells it.
    if (!genre.empty() && genreName(genreIndex(genre, genres), genres) != "Other")
        genre = genreName(genreIndex(genre, genres), genres);
    return Mp3Fields{either(trimmed(tag->title()), v1.title),
                     either(trimmed(tag->artist()), v1.artist),
                     either(trimmed(tag->album()), v1.album),
                     either(tag->year() ? std::to_string(tag->year()) : "", v1.year),
                     either(trimmed(tag->comment()), v1.comment),
                     either(genre, v1.genre)};
}

bool TagLibMp3Tags::write(const std::string& path, const Mp3Fields& fields) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    TagLib::MPEG::File file(path.c_str(), false);
    if (!file.isValid() || file.readOnly()) return false;
    const int genre = genreIndex(fields.genre, genreNames());
    TagLib::ID3v1::Tag* v1 = file.ID3v1Tag(true);
    TagLib::ID3v2::Tag* v2 = file.ID3v2Tag(true);
    for (TagLib::Tag* tag : {static_cast<TagLib::Tag*>(v1), static_cast<TagLib::Tag*>(v2)}) {
        tag->setTitle(tagText(fields.title));
        tag->setArtist(tagText(fields.artist));
        tag->setAlbum(tagText(fields.album));
        tag->setYear(yearNumber(fields.year));
        tag->setComment(tagText(fields.comment));
    }
    // An empty genre is none at all (255 in ID3v1), not "Other".
    v1->setGenreNumber(fields.genre.empty() ? 255 : unsigned(genre));
    v2->setGenre(fields.genre.empty() ? TagLib::String() : tagText(genreName(genre, genreNames())));
    // Version 2.3 is the one every player and tag reader understands.
    return file.save(TagLib::MPEG::File::ID3v1 | TagLib::MPEG::File::ID3v2,
                     TagLib::File::StripOthers, TagLib::ID3v2::v3);
}

const std::vector<std::string>& TagLibMp3Tags::genreNames() {
    static const std::vector<std::string> names = id3GenreNames();
    return names;
}

} // namespace sono
