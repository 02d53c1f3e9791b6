#include "mp3/Mp3Exchange.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "document/InfoFields.h"
#include "support/StatusTexts.h"

namespace sono {

namespace {
std::string absolute(const std::string& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.string();
}

// A stored text without the zeros a file pads it with, as UTF-8.
std::string shown(const std::string& stored) {
    return latin1ToUtf8(stored.substr(0, stored.find('\0')));
}
} // namespace

std::vector<std::string> decodeArguments(const std::string& mp3, const std::string& wav) {
    return {"--quiet", "--decode", absolute(mp3), absolute(wav)};
}

std::vector<std::string> encodeArguments(const std::string& wav, const std::string& mp3,
                                         int bitrate, bool stereoChecked, int channels) {
    const char* mode = !stereoChecked ? "j" : channels == 2 ? "s" : "m";
    return {"--quiet", "-b", std::to_string(bitrate), "-m", mode, absolute(wav), absolute(mp3)};
}

int genreIndex(const std::string& name, const std::vector<std::string>& genres) {
    const std::string wanted = toLowerText(name);
    for (size_t n = genres.size(); n-- > 0;)
        if (toLowerText(genres[n]) == wanted) return int(n);
    return wanted == "other" ? int(genres.size()) - 1 : genreIndex("Other", genres);
}

std::string genreName(int n, const std::vector<std::string>& genres) {
    if (n == 255) return {};
    return n >= 0 && size_t(n) < genres.size() ? genres[size_t(n)] : "Other";
}

Mp3Fields mp3FieldsOf(const Document& doc, const std::vector<std::string>& genres) {
    Mp3Fields fields;
    fields.title = shown(doc.DispText);
    fields.artist = shown(*doc.Info.find("IART"));
    fields.album = shown(*doc.Info.find("INAM"));
    fields.comment = shown(*doc.Info.find("ICMT"));
    // A date holds a year of four digits: "2024-05-01", "05-01-2024".
    const std::string date = shown(*doc.Info.find("ICRD"));
    for (size_t i = 0; i + 4 <= date.size() && fields.year.empty(); ++i)
        if (std::all_of(date.begin() + long(i), date.begin() + long(i) + 4,
                        [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }) &&
            (i + 4 == date.size() || !std::isdigit(static_cast<unsigned char>(date[i + 4]))) &&
            (i == 0 || !std::isdigit(static_cast<unsigned char>(date[i - 1]))))
            fields.year = date.substr(i, 4);
    fields.genre = genreName(genreIndex(shown(*doc.Info.find("IGNR")), genres), genres);
    return fields;
}

void applyMp3Fields(const Mp3Fields& fields, Document& doc) {
    doc.DispText = utf8ToLatin1(fields.title);
    *doc.Info.find("IART") = utf8ToLatin1(fields.artist);
    *doc.Info.find("INAM") = utf8ToLatin1(fields.album);
    *doc.Info.find("ICMT") = utf8ToLatin1(fields.comment);
    *doc.Info.find("IGNR") = utf8ToLatin1(fields.genre);
    // The year stands in the date, from where an export takes it again.
    if (!fields.year.empty()) *doc.Info.find("ICRD") = utf8ToLatin1(fields.year);
}

} // namespace sono
