#include "generators/Synthesizer.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "support/Numbers.h"
#include "formats/ByteFile.h"
#include "formats/WavWriter.h"

namespace sono {

namespace {
constexpr std::string_view PeriodExtension = ".qvf";
constexpr std::string_view ForbiddenInNames = "\"\\/:*?|<>";

int16_t clampPoint(double value) {
    return int16_t(std::clamp<int64_t>(roundToInt(value), 0, 255));
}
} // namespace

// ---------------------------------------------------------------- drawing

int drawPeriodMove(Period& period, int previous, double x, double y, bool smooth) {
    if (!(x >= 0 && x < PeriodColumns && y >= 0 && y < PeriodHeight)) return previous;
    const int current = int(roundToInt(x));
    // A pointer in the last half pixel rounds to column 500, which the period does not have.
    if (current >= PeriodColumns) return previous;
    // Clipped: a pointer in the bottom half pixel would give -1.
    period[size_t(current)] = clampPoint(255 - y);
    if (smooth && previous >= 0 && previous < PeriodColumns) {
        const double from = period[size_t(previous)];
        const double to = period[size_t(current)];
        // Columns strictly between: none when previous and current are the same or neighbours,
        // so the divisor previous - x is never 0 here.
        for (int j = std::min(previous, current) + 1; j < std::max(previous, current); ++j)
            period[size_t(j)] = clampPoint((from - to) * (j - x) / (previous - x) + to);
    }
    return current;
}

// ---------------------------------------------------------------- period files

std::optional<PeriodFile> readPeriodFile(const std::filesystem::path& path) {
    auto file = InputFile::open(path.string());
    if (!file) return std::nullopt;
    uint8_t head[8];
    if (file->read(head, 8) < 8) return std::nullopt;
    const int32_t count = int32_t(readLE32(head));
    PeriodFile period;
    period.frequencyCode = int32_t(readLE32(head + 4));
    // Checked against the file's size before anything is allocated.
    if (count <= 0 || count > file->size() - 8) return std::nullopt;
    period.points.resize(size_t(count));
    if (file->read(period.points.data(), size_t(count)) < size_t(count)) return std::nullopt;
    return period;
}

bool writePeriodFile(const std::filesystem::path& path, const std::vector<uint8_t>& points,
                     int32_t frequencyCode) {
    std::string bytes;
    appendLE32(bytes, uint32_t(points.size()));
    appendLE32(bytes, uint32_t(frequencyCode));
    bytes.append(points.begin(), points.end());
    ReplacingFile file(path.string());
    file.write(bytes.data(), bytes.size());
    return file.commit();
}

bool writePeriodFile(const std::filesystem::path& path, const Period& period, int frequency) {
    std::vector<uint8_t> points(PeriodColumns);
    for (size_t i = 0; i < points.size(); ++i)
        points[i] = uint8_t(std::clamp<int>(period[i], 0, 255));
    return writePeriodFile(path, points, frequencyCode(frequency));
}

int32_t frequencyCode(int frequency) {
    if (frequency > 1000) return frequency;
    return int32_t(roundToInt(1000.0 / frequency));
}

std::optional<int> frequencyOfCode(int32_t code) {
    if (code <= 0) return std::nullopt;
    const int64_t hz = code < 1000 ? roundToInt(1000.0 / code) : code;
    return int(std::clamp<int64_t>(hz, SynthFrequencyRange.min, SynthFrequencyRange.max));
}

void spreadPeriodPoints(Period& period, const std::vector<uint8_t>& points) {
    const size_t count = points.size();
    int previous = 0;
    for (size_t i = 0; i < count; ++i) {
        const double x = double(i) * PeriodColumns / double(count);
        previous =
            drawPeriodMove(period, previous, x, 255.0 - points[i], count < PeriodColumns && i > 0);
    }
}

// ---------------------------------------------------------------- names

bool periodNameAllowed(std::string_view name) {
    return name.find_first_of(ForbiddenInNames) == std::string_view::npos;
}

bool isPeriodFileName(std::string_view name) {
    if (name.size() < PeriodExtension.size()) return false;
    const std::string_view tail = name.substr(name.size() - PeriodExtension.size());
    return std::equal(tail.begin(), tail.end(), PeriodExtension.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

std::string withPeriodExtension(std::string name) {
    if (!isPeriodFileName(name)) name += PeriodExtension;
    return name;
}

std::vector<std::string> listPeriodFiles(const std::vector<std::filesystem::path>& folders) {
    std::set<std::string> names;
    for (const auto& folder : folders) {
        std::error_code error;
        for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            const std::string name = it->path().filename().string();
            if (isPeriodFileName(name) && it->is_regular_file(error)) names.insert(name);
        }
    }
    return {names.begin(), names.end()};
}

std::optional<std::filesystem::path>
findPeriodFile(const std::string& name, const std::vector<std::filesystem::path>& folders) {
    std::error_code error;
    if (name.find('/') != std::string::npos) {
        if (std::filesystem::is_regular_file(name, error)) return std::filesystem::path(name);
        return std::nullopt;
    }
    for (const auto& folder : folders)
        if (std::filesystem::is_regular_file(folder / name, error)) return folder / name;
    return std::nullopt;
}

std::string periodAsText(const Period& period) {
    std::string text(PeriodColumns, '\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = char(uint8_t(std::clamp<int>(period[i], 0, 255)));
    return text;
}

Period periodFromText(std::string_view text) {
    Period period;
    period.fill(128);
    for (size_t i = 0; i < period.size() && i < text.size(); ++i)
        period[i] = int16_t(static_cast<unsigned char>(text[i]));
    return period;
}

// ---------------------------------------------------------------- the sound

int64_t synthFrameCount(const SynthSettings& s) {
    return std::max<int64_t>(0, roundToInt(double(s.durationMs) * s.rate / 1000));
}

std::vector<int16_t> synthesizeSamples(const SynthSettings& s) {
    const int64_t n = synthFrameCount(s);
    const bool eightBit = s.bits == 8;
    const auto [low, high] = std::minmax_element(s.period.begin(), s.period.end());
    const int max = *high - 128;
    const int min = *low - 128;
    const int peak = -min > max ? -min : max;
    const int64_t length = s.frequency > 0 ? roundToInt(double(s.rate) / s.frequency) : 0;
    // A flat period has no peak to scale to, and a tone above the rate has no frame to
    // hold its period; both are silence rather than a division by zero.
    if (peak == 0 || length <= 0) return std::vector<int16_t>(size_t(n), eightBit ? 128 : 0);
    std::vector<int16_t> samples(static_cast<size_t>(n));
    const double scale = double(s.volume) * 127 / 100;
    for (int64_t k = 0; k < n; ++k) {
        const int p = s.period[size_t((k % length) * PeriodColumns / length)];
        samples[size_t(k)] = eightBit ? int16_t(roundToInt(scale * (p - 128) / peak + 128))
                                      : int16_t(roundToInt(scale * 256 * (p - 128) / peak));
    }
    return samples;
}

std::string synthesizedWave(const SynthSettings& s) {
    const std::vector<int16_t> samples = synthesizeSamples(s);
    const uint32_t dataBytes = uint32_t(int64_t(s.bits) * int64_t(samples.size()) / 8);
    std::string file = canonicalWaveHeader(1, s.rate, s.bits, dataBytes, dataBytes + 36);
    file.reserve(44 + dataBytes);
    for (int16_t sample : samples) {
        if (s.bits == 8) {
            file += char(uint8_t(sample));
        } else {
            appendLE16(file, uint16_t(sample));
        }
    }
    return file;
}

} // namespace sono
