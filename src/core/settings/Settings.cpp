#include "settings/Settings.h"

#include <algorithm>
#include <bit>

#include "formats/ByteFile.h"

namespace sono {

namespace {

class Reader {
  public:
    explicit Reader(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    bool atEnd() const { return pos_ >= bytes_.size(); }
    uint8_t byte() { return atEnd() ? 0 : bytes_[pos_++]; }
    int16_t word() {
        uint8_t lo = byte();
        return int16_t(lo | (byte() << 8));
    }
    std::string text() {
        int16_t length = word();
        std::string out;
        for (int i = 0; i < length && !atEnd(); ++i)
            out += char(byte());
        return out;
    }

  private:
    std::vector<uint8_t> bytes_;
    size_t pos_ = 0;
};

void putText(std::string& out, const std::string& text) {
    appendLE16(out, uint16_t(std::min<size_t>(text.size(), 32767)));
    out.append(text, 0, std::min<size_t>(text.size(), 32767));
}

// A settings file is read only when it is a regular file of a size such a file can have: a
// folder, FIFO or device under its name gives the defaults.
constexpr int64_t LargestSettingsFile = 1 << 20;
std::optional<std::vector<uint8_t>> settingsBytes(const std::filesystem::path& file) {
    std::optional<std::string> bytes = readSmallFile(file.string(), LargestSettingsFile);
    if (!bytes) return std::nullopt;
    return std::vector<uint8_t>(bytes->begin(), bytes->end());
}

enum OptionBit : uint8_t {
    BitDrawGraphic = 1,
    BitListen = 2,
    BitMeter = 4,
    BitZoom = 16,
    BitUnknownChunks = 32,
    BitShowInfo = 128,
};

// Written beside the old file and renamed over it, so a failed write leaves the old one whole;
// whatever else stood under the name (a link, a FIFO) is replaced by the regular file.
bool writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    ReplacingFile out(file.string(), ReplacingFile::Kind::SettingsFile);
    out.write(bytes.data(), bytes.size());
    return out.commit();
}

} // namespace

std::optional<Settings> readSettingsFile(const std::filesystem::path& file, size_t echoHandles,
                                         size_t echoSameChecks) {
    std::optional<std::vector<uint8_t>> bytes = settingsBytes(file);
    if (!bytes) return std::nullopt;
    Reader r(std::move(*bytes));
    Settings s;
    uint8_t language = r.byte();
    s.language = language < 3 ? language : 0;
    s.options.graphStyle = std::min<int>(r.byte(), 6);
    for (auto& recent : s.recentFiles)
        recent = r.text();
    s.options.bothChannels = r.byte() == 0;
    s.lastDir = r.text();
    uint8_t bits = r.byte();
    s.options.drawGraphicInOpenPanel = bits & BitDrawGraphic;
    s.options.listenAfterChange = bits & BitListen;
    s.options.realTimeVolume = bits & BitMeter;
    s.options.zoom = bits & BitZoom;
    s.options.unknownChunks = bits & BitUnknownChunks;
    s.options.showInfo = bits & BitShowInfo;
    // A file that ends before Display Time leaves its menu item as designed, checked, and the
    // start-up reverses it like the others: off.
    s.options.showTime = false;
    if (r.byte() == '~') {
        s.curves.present = true;
        s.curves.echoHandleTops.resize(echoHandles);
        for (auto& top : s.curves.echoHandleTops)
            top = r.word();
        s.curves.echoCheck = r.word();
        s.curves.echoSameChecks.resize(echoSameChecks);
        for (auto& check : s.curves.echoSameChecks)
            check = r.word();
        if (r.byte() == 'P') {
            s.curves.curvesPresent = true;
            for (auto& v : s.curves.volume)
                v = r.word();
            for (auto& v : s.curves.speed)
                v = r.word();
            s.options.showTime = r.byte() == 1;
        }
    }
    return s;
}

bool writeSettingsFile(const std::filesystem::path& file, const Settings& s) {
    std::string out;
    out += char(s.language);
    out += char(s.options.graphStyle);
    for (const auto& recent : s.recentFiles)
        putText(out, recent);
    out += char(s.options.bothChannels ? 0 : 10);
    putText(out, s.lastDir);
    uint8_t bits = (s.options.drawGraphicInOpenPanel ? BitDrawGraphic : 0) |
                   (s.options.listenAfterChange ? BitListen : 0) |
                   (s.options.realTimeVolume ? BitMeter : 0) | (s.options.zoom ? BitZoom : 0) |
                   (s.options.unknownChunks ? BitUnknownChunks : 0) |
                   (s.options.showInfo ? BitShowInfo : 0);
    out += char(bits);
    out += '~';
    for (int16_t top : s.curves.echoHandleTops)
        appendLE16(out, uint16_t(top));
    appendLE16(out, uint16_t(s.curves.echoCheck));
    for (int16_t check : s.curves.echoSameChecks)
        appendLE16(out, uint16_t(check));
    out += 'P';
    for (int16_t v : s.curves.volume)
        appendLE16(out, uint16_t(v));
    for (int16_t v : s.curves.speed)
        appendLE16(out, uint16_t(v));
    out += char(s.options.showTime ? 1 : 0);
    return writeBytes(file, out);
}

Quality readQualityFile(const std::filesystem::path& file) {
    Quality q;
    if (std::optional<std::vector<uint8_t>> read = settingsBytes(file)) {
        uint8_t bytes[8] = {};
        std::copy_n(read->begin(), std::min<size_t>(read->size(), sizeof bytes), bytes);
        q.bitsPerSample = std::bit_cast<float>(readLE32(bytes));
        const float rate = std::bit_cast<float>(readLE32(bytes + 4));
        q.sampleRate = rate == 0 ? 11025 : rate;
    }
    q.bitsPerSample = q.bitsPerSample < 12 ? 8 : 16;
    if (!(q.sampleRate >= 2500)) q.sampleRate = 2500; // also catches a NaN from a broken file
    if (q.sampleRate > 100000) q.sampleRate = 100000;
    return q;
}

bool writeQualityFile(const std::filesystem::path& file, const Quality& quality) {
    std::string bytes;
    appendLE32(bytes, std::bit_cast<uint32_t>(quality.bitsPerSample));
    appendLE32(bytes, std::bit_cast<uint32_t>(quality.sampleRate));
    return writeBytes(file, bytes);
}

} // namespace sono
