#pragma once
// The outside MP3 coder's arguments, and the music information of an MP3 file with the texts of
// the sound it comes from or goes to.
#include <string>
#include <vector>

#include "document/Document.h"
#include "ports/Mp3Tags.h"

namespace sono {

// The coder decodes to a 16-bit PCM WAV file, and encodes at a constant bitrate in mode "s"
// (stereo), "m" (mono) or "j" (joint stereo). File names are made absolute, so that no name is
// ever taken as an option.
std::vector<std::string> decodeArguments(const std::string& mp3, const std::string& wav);
std::vector<std::string> encodeArguments(const std::string& wav, const std::string& mp3,
                                         int bitrate, bool stereoChecked, int channels);

// The number of a genre name, without regard to case (the last of equal names); a name that is
// not in the list counts as "Other", so that no player shows an unrelated genre for it.
int genreIndex(const std::string& name, const std::vector<std::string>& genres);
// The name of genre number n; "Other" for a number outside the list, "" for 255 (no genre).
std::string genreName(int n, const std::vector<std::string>& genres);

// The fields an export starts with: the label, IART, INAM, the year of ICRD when it holds a date,
// ICMT and IGNR ("Other" when that is not a genre of `genres`).
Mp3Fields mp3FieldsOf(const Document& doc, const std::vector<std::string>& genres);
// An imported file's fields into the sound's texts; the year, when there is one, as the date.
void applyMp3Fields(const Mp3Fields& fields, Document& doc);

} // namespace sono
