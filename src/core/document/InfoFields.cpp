#include "document/InfoFields.h"

#include <algorithm>

namespace sono {

std::vector<std::string> infoFieldIds() {
    std::vector<std::string> ids(InfoWriteOrder.begin(), InfoWriteOrder.end());
    ids.push_back("DISP");
    return ids;
}

namespace {
int indexOf(std::string_view id) {
    auto it = std::find(InfoWriteOrder.begin(), InfoWriteOrder.end(), id);
    return it == InfoWriteOrder.end() ? -1 : int(it - InfoWriteOrder.begin());
}
} // namespace

std::string* InfoFields::find(std::string_view id) {
    int i = indexOf(id);
    return i < 0 ? nullptr : &text[i];
}

const std::string* InfoFields::find(std::string_view id) const {
    int i = indexOf(id);
    return i < 0 ? nullptr : &text[i];
}

std::optional<InfoLabel> infoLabel(std::string_view id) {
    struct Row {
        std::string_view id;
        InfoLabel label;
    };
    static constexpr Row rows[] = {
        {"IART", {"Artiest: ", "Artist: "}},
        {"ICMT", {"Opmerkingen: ", "Comments: "}},
        {"INAM", {"Titel: ", "Title: "}},
        {"IGNR", {"Genre: ", "Genre: "}},
        {"ISBJ", {"Onderwerp/beschrijving: ", "Subject/description: "}},
        {"IKEY", {"Sleutelwoorden: ", "Keywords: "}},
        {"ICRD", {"Gemaakt op: ", "Created on: "}},
        {"ISFT", {"Gemaakt/bewerkt met: ", "Created/edited with: "}},
        {"ICOP", {"Auteursrechten: ", "Copyrights: "}},
        {"IENG", {"Maker (engineer): ", "Engineer: "}},
        {"ITCH", {"Technicus: ", "Technician: "}},
        {"ICMS", {"Persoon/organisatie: ", "Person/organisation: "}},
        {"IPRD", {"Product: ", "Product: "}},
        {"IMED", {"Medium: ", "Medium: "}},
        {"ISRC", {"Bron: ", "Source: "}},
        {"ISRF", {"Vorm van bron: ", "Source form: "}},
        {"IARL", {"Archiefslocatie: ", "Archive location: "}},
    };
    for (const Row& row : rows)
        if (row.id == id) return row.label;
    return std::nullopt;
}

std::string latin1ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes) {
        if (c < 0x80) {
            out += char(c);
        } else {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string utf8ToLatin1(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        unsigned char c = utf8[i];
        uint32_t code;
        size_t len;
        if (c < 0x80) {
            code = c;
            len = 1;
        } else if ((c & 0xE0) == 0xC0) {
            code = c & 0x1F;
            len = 2;
        } else if ((c & 0xF0) == 0xE0) {
            code = c & 0x0F;
            len = 3;
        } else if ((c & 0xF8) == 0xF0) {
            code = c & 0x07;
            len = 4;
        } else {
            out += '?';
            ++i;
            continue;
        }
        if (i + len > utf8.size()) {
            out += '?';
            break;
        }
        bool valid = true;
        for (size_t k = 1; k < len; ++k) {
            unsigned char cc = utf8[i + k];
            if ((cc & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            code = (code << 6) | (cc & 0x3F);
        }
        i += valid ? len : 1;
        // A character a one-byte text cannot hold becomes a question mark.
        out += (valid && code < 0x100) ? char(code) : '?';
    }
    return out;
}

} // namespace sono
