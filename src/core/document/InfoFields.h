#pragma once
// The RIFF LIST/INFO text fields a sound carries. Texts are kept as the raw bytes of the file
// (one byte per character, terminating and pad zeros included) so that a save writes them back
// exactly; conversion for display happens at the edge.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sono {

inline constexpr int InfoFieldCount = 17;

// Index order of InfoFields::text is the order in which the writer stores the sub-chunks.
inline constexpr std::array<std::string_view, InfoFieldCount> InfoWriteOrder = {
    "ISBJ", "IART", "ICMT", "INAM", "IGNR", "IKEY", "ICRD", "ISFT", "ICOP",
    "IENG", "ITCH", "ICMS", "IPRD", "IMED", "ISRC", "ISRF", "IARL"};

inline constexpr std::string_view ProgramSignature = "Sonoplexer 1.6";

// The ids the information command takes: the INFO ids in the writer's order, then "DISP".
std::vector<std::string> infoFieldIds();

struct InfoFields {
    std::array<std::string, InfoFieldCount> text; // in InfoWriteOrder

    // nullptr for an id that is not one of the 17.
    std::string* find(std::string_view id);
    const std::string* find(std::string_view id) const;
    void clear() { text = {}; }
};

// Label that introduces a field in the file-information list, e.g. "Artist: ".
struct InfoLabel {
    std::string_view dutch;
    std::string_view english;
};
std::optional<InfoLabel> infoLabel(std::string_view id);

// Latin-1 bytes <-> UTF-8, for showing and editing the stored texts.
std::string latin1ToUtf8(std::string_view bytes);
std::string utf8ToLatin1(std::string_view utf8);

} // namespace sono
