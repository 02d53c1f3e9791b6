#pragma once
// MP3 music information through TagLib: ID3v2 where a file has it (what players write today),
// ID3v1 for the rest, and both written so that every player shows the fields.
#include "ports/Mp3Tags.h"

namespace sono {

class TagLibMp3Tags : public Mp3Tags {
  public:
    std::optional<Mp3Fields> read(const std::string& path) override;
    bool write(const std::string& path, const Mp3Fields& fields) override;
    const std::vector<std::string>& genreNames() override;
};

} // namespace sono
