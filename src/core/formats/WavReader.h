#pragma once
// Reads a RIFF/WAVE file with PCM samples (8, 16 or 24 bits, mono or stereo; 24 bits reduced to
// 16). Never shows anything itself: it returns the sound, the lists it collected, or the reason
// it refused the file, and the editor turns that into messages.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "document/Document.h"
#include "document/NewSound.h"

namespace sono {

enum class WavFailure {
    None,
    Unknown,         // unreadable file, a size beyond the file, out of memory
    NotWave,         // no RIFF....WAVE header
    NotPcm,          // format tag other than 1
    BadBitrate,      // bits per sample not 8, 16 or 24
    Corrupt,         // no format chunk, data before the format, or no data
    UnsupportedBits, // bits neither 8 nor 16 after reading
    NotMonoStereo,   // channel count not 1 or 2
};

// One line of the file-information list: the id ("DISP" for the label) and its text, without
// the trailing zero characters the list drops.
struct FileInfoLine {
    std::string id;
    std::string text;
};

struct WavReadResult {
    WavFailure failure = WavFailure::None;
    float failedBits = 0;       // the bits, for UnsupportedBits
    bool reducedFrom24 = false; // a 24-bit format was met: the user is told before anything else
    bool chunksWalked = false;  // every chunk was read; the file's lists are complete
    bool cutShort = false;      // the data chunk claimed more than the file holds: the sound is
                                // the whole frames that are there

    // The format and the samples; no format (all 0) when the file was refused.
    NewSound sound{{0, 0, 0}};

    InfoFields info; // ISFT already carries the program's signature
    std::string dispText;
    std::vector<FileInfoLine> fileInfo;
    std::string unknownChunks; // lines, each starting with a carriage return
};

// progressStep is called after each of the 100 steps of splitting a data chunk.
WavReadResult readWaveFile(const std::string& path,
                           const std::function<void(int step)>& progressStep = {});

} // namespace sono
