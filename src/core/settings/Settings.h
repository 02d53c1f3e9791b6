#pragma once
// The options the editor keeps between runs: audio.dat (options, recent files, dialog states)
// and quality.dat (the format of the next new sound), both little-endian binary files.
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sono {

// Without an options file the editor starts in these states (the toggles of the designed window
// are each run once at start-up, which turns the designed states around).
struct Options {
    bool bothChannels = true;      // MMbeide
    bool listenAfterChange = true; // MMluister
    bool realTimeVolume = true;    // MMmetertje
    bool zoom = false;             // MMzoom
    bool unknownChunks = false;    // MMonbekend
    bool showInfo = false;         // MMtoonInfo
    bool showTime = true;          // MMtijdAangeven
    bool drawGraphicInOpenPanel = false;
    int graphStyle = 0; // 0..6 = MMgrafiek1..7
};

// Positions and check boxes of the curve dialogs, kept here so they live on between runs. A
// block's top runs from 0 (highest value) to 168 pixels (lowest), held as the whole number the
// options file stores (see storedTop in effects/Envelope.h: the volume dialog's 84 is its 84.5).
// The dialogs first show every "stays the same" box and the softer-repeats box checked, and the
// blocks at a delay of 102 ms, an echo volume of 30 %, one repeat, and volume and speed at 100 %.
struct CurveDialogState {
    std::vector<int16_t> echoHandleTops{151, 151, 118, 118, 168, 168};
    int16_t echoCheck = 1;
    std::vector<int16_t> echoSameChecks{1, 1, 1};
    std::array<int16_t, 3> volume{84, 84, 1}; // Top of handle 0, Top of handle 1, "same" check
    std::array<int16_t, 3> speed{112, 112, 1};
    bool present = false;       // the file held the "~" section
    bool curvesPresent = false; // the file held the "P" section
};

struct Settings {
    uint8_t language = 0;
    Options options;
    std::array<std::string, 5> recentFiles;
    std::string lastDir;
    CurveDialogState curves;
};

// Reads audio.dat; nullopt when the file does not exist or cannot be read. The toggles come back
// in their stored states; a language of 3 or more is read as 0.
std::optional<Settings> readSettingsFile(const std::filesystem::path& file, size_t echoHandles,
                                         size_t echoSameChecks);
bool writeSettingsFile(const std::filesystem::path& file, const Settings& settings);

struct Quality {
    float bitsPerSample = 16;
    float sampleRate = 22050;
};
// Reads quality.dat and normalises it (8 or 16 bits, 2500..100000 Hz).
Quality readQualityFile(const std::filesystem::path& file);
bool writeQualityFile(const std::filesystem::path& file, const Quality& quality);

} // namespace sono
