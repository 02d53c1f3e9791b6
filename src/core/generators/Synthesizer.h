#pragma once
// The synthesizer's arithmetic: the drawn period of 500 points, its drawing rules, the
// period files (.qvf) that hold one, and the sound made by repeating the period
// (`writeSynthesizedSound`). Pure functions of their arguments; the editor and the dialog bring the
// files and the pictures.
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sono {

// One period as drawn: 500 columns, each 0..255, 128 the zero line, 255 the top.
inline constexpr int PeriodColumns = 500;
inline constexpr int PeriodHeight = 256;
using Period = std::array<int16_t, PeriodColumns>;

// The synthesizer dialog's ranges and first values.
struct SynthRange {
    int min, max, initial;
};
inline constexpr SynthRange SynthFrequencyRange{10, 2500, 100}; // Hz
inline constexpr SynthRange SynthVolumeRange{1, 100, 100};      // percent
inline constexpr SynthRange SynthDurationRange{10, 5000, 500};  // milliseconds
inline constexpr std::array<int, 3> GeneratorRates{11025, 22050, 44100};

// Everything `writeSynthesizedSound` reads from the dialog.
struct SynthSettings {
    Period period{};
    int frequency = SynthFrequencyRange.initial; // Hz
    int volume = SynthVolumeRange.initial;       // percent
    int durationMs = SynthDurationRange.initial;
    int rate = 11025; // 11025, 22050 or 44100
    int bits = 8;     // 8 or 16
};

// ---- drawing ----

// A move of the pointer over the drawing area with the primary button held, at (x, y) in its
// pixels, `previous` the column of the move before (the press counts as a move from its own
// column). Outside 0 <= x < 500, 0 <= y < 256 nothing happens. Otherwise the column round(x) takes
// round(255 - y), and with `smooth` every column strictly between `previous` and round(x) takes
// the value on the straight line between the two points (clipped to 0..255). Returns the column
// that is `previous` for the next move.
int drawPeriodMove(Period& period, int previous, double x, double y, bool smooth);

// ---- period files ----

// A period file's contents: the points (C bytes) and the frequency code.
struct PeriodFile {
    std::vector<uint8_t> points;
    int32_t frequencyCode = 0;
};
// Reads a period file; nullopt when it cannot be read, holds no points (C <= 0) or holds fewer
// than the C points its first field promises.
std::optional<PeriodFile> readPeriodFile(const std::filesystem::path& path);
// Writes C = 500, the code of `frequency` and the 500 points; false when it could not be written.
// Replaces an existing file only once the new one is complete.
bool writePeriodFile(const std::filesystem::path& path, const std::vector<uint8_t>& points,
                     int32_t frequencyCode);
bool writePeriodFile(const std::filesystem::path& path, const Period& period, int frequency);

// The code a file stores for a frequency: round(1000 / f) for f up to 1000 Hz (a period in whole
// milliseconds), else f itself.
int32_t frequencyCode(int frequency);
// The frequency a code stands for: round(1000 / code) below 1000, else the code; kept within the
// dialog's range. nullopt for a code of 0 or less, which names no frequency.
std::optional<int> frequencyOfCode(int32_t code);

// What loading does to the period: point i goes to column round(i * 500 / C), and with fewer than
// 500 points each is joined to the one before by a straight line, as smooth drawing would join
// them. Columns no point reaches keep their values.
void spreadPeriodPoints(Period& period, const std::vector<uint8_t>& points);

// ---- names of period files ----

// The characters a name may not hold: " \ / : * ? | < >.
bool periodNameAllowed(std::string_view name);
// The name with ".qvf" appended unless it already ends so (in any case).
std::string withPeriodExtension(std::string name);
// Whether a file name ends in ".qvf" (in any case).
bool isPeriodFileName(std::string_view name);

// The period files of the folders as one list of names, sorted, each name once; `folders` in the
// order in which a name is looked up (the user's own folder first, then the shipped files).
std::vector<std::string> listPeriodFiles(const std::vector<std::filesystem::path>& folders);
// A name as the list shows it, looked up in the folders in their order; a name with a folder
// part is taken as a path. nullopt when no such file exists.
std::optional<std::filesystem::path>
findPeriodFile(const std::string& name, const std::vector<std::filesystem::path>& folders);

// The period as one text argument of a command (one byte a column) and back; a shorter text
// leaves the remaining columns at the zero line.
std::string periodAsText(const Period& period);
Period periodFromText(std::string_view text);

// ---- the sound ----

// Frames of the synthesized sound: round(duration * rate / 1000).
int64_t synthFrameCount(const SynthSettings& settings);
// The samples of `writeSynthesizedSound`, as the WAV file stores them (8-bit: 0..255; 16-bit:
// signed). A flat period (peak 0), and a frequency whose period is shorter than a frame (round(rate
// / f) = 0) or not positive, give silence.
std::vector<int16_t> synthesizeSamples(const SynthSettings& settings);
// The canonical 44-byte-header mono WAV file of those samples.
std::string synthesizedWave(const SynthSettings& settings);

} // namespace sono
