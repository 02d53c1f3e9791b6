#pragma once
// MP3 exchange: the outside coder turns MP3 files into WAV files the editor reads, and the
// sound's WAV file into MP3 files; the tag library carries the music information across.
#include <string>
#include <vector>

#include "ports/ExternalCoder.h"
#include "ports/Mp3Tags.h"
#include "ports/UserDialogs.h"
#include "ports/ViewObserver.h"

namespace sono {

class Editor;

class Mp3Commands {
  public:
    Mp3Commands(Editor& editor, UserDialogs& dialogs, ViewObserver& view, ExternalCoder& coder,
                Mp3Tags& tags);

    // Decodes an MP3 file with the outside coder and opens it as an untitled sound carrying the
    // file's music information.
    void importMp3(const std::string& path);
    // Encodes the sound into an MP3 file at `bitrate` kbit/s, in stereo (or mono for a mono
    // sound) when stereoChecked, else in joint stereo, and gives the file `fields` as its music
    // information (none when all are empty). The sound stays as it is.
    void exportMp3(const std::string& path, int bitrate, bool stereoChecked,
                   const Mp3Fields& fields);
    // The bitrates the export offers, in kbit/s.
    static const std::vector<int>& bitrates();
    // The MP3 open and save dialogs' filters.
    std::string openFilter() const;
    std::string saveFilter() const;
    // The music information an export of this sound starts with.
    Mp3Fields fieldsToExport() const;
    Mp3Tags& tags() { return tags_; }

  private:
    // Runs the outside coder until `output` is written, at most 20 seconds plus `seconds` (the
    // sound's length), with the progress of `progressKind` meanwhile.
    bool runCoder(const std::vector<std::string>& arguments, const std::string& output,
                  double seconds, int progressKind);

    Editor& editor_;
    UserDialogs& dialogs_;
    ViewObserver& view_;
    ExternalCoder& coder_;
    Mp3Tags& tags_;
};

} // namespace sono
