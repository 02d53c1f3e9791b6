#pragma once
// Builds RIFF/WAVE bytes by hand, so tests can make files no ordinary tool would write, and reads
// WAV files with sox, an independent reader.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <utility>

#include "EditorFixture.h"
#include "formats/ByteFile.h"

namespace sono::test {

// A chunk with the size it declares given separately, to make lying headers.
inline std::string rawChunk(const std::string& id, uint32_t declared, const std::string& body) {
    std::string out = id;
    appendLE32(out, declared);
    return out + body;
}

// A well-formed chunk: odd bodies get their pad byte.
inline std::string chunk(const std::string& id, const std::string& body) {
    std::string pad(body.size() % 2, '\0');
    return rawChunk(id, uint32_t(body.size()), body) + pad;
}

inline std::string fmtChunk(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t tag = 1) {
    uint16_t blockAlign = uint16_t(channels * bits / 8);
    std::string body;
    appendLE16(body, tag);
    appendLE16(body, channels);
    appendLE32(body, rate);
    appendLE32(body, rate * blockAlign);
    appendLE16(body, blockAlign);
    appendLE16(body, bits);
    return chunk("fmt ", body);
}

// "RIFF", the size of what follows, "WAVE" and the chunks.
inline std::string riff(const std::string& chunks) {
    return rawChunk("RIFF", uint32_t(4 + chunks.size()), "WAVE" + chunks);
}

// A LIST/INFO chunk; each text is stored as given (add the zeros a file would hold yourself).
inline std::string infoList(std::initializer_list<std::pair<std::string, std::string>> fields) {
    std::string body = "INFO";
    for (const auto& [id, text] : fields)
        body += chunk(id, text);
    return chunk("LIST", body);
}

inline std::string dispChunk(const std::string& text, uint32_t type = 1) {
    std::string body;
    appendLE32(body, type);
    return chunk("DISP", body + text);
}

// Arbitrary but repeatable bytes.
inline std::string patternBytes(size_t count) {
    std::string out;
    uint32_t x = 12345;
    for (size_t i = 0; i < count; ++i)
        out += char((x = x * 1103515245 + 12345) >> 16);
    return out;
}

inline bool haveSox() {
    return std::system("sox --version >/dev/null 2>&1") == 0;
}

inline std::string shellQuoted(const std::filesystem::path& file) {
    return "'" + file.string() + "'";
}

// Standard output of a shell command that must succeed.
inline std::string shellOutput(const std::string& command) {
    std::string out;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    EXPECT_EQ(pclose(pipe), 0) << command;
    return out;
}

// The samples as sox decodes them, little-endian, in the file's own width.
inline std::string soxSamples(const std::filesystem::path& wav, int bits) {
    std::string encoding = bits == 8 ? "unsigned" : "signed";
    return shellOutput("sox " + shellQuoted(wav) + " -t raw -e " + encoding + " -b " +
                       std::to_string(bits) + " -L -");
}

// The editor fixture with a sound about to be saved as sound.wav, whose samples differ from frame
// to frame and channel to channel.
class WavFixture : public EditorFixture {
  protected:
    void makeSound(int bits, int channels, int frames, float rate = 22050) {
        Samples a(static_cast<size_t>(frames)), b(channels == 2 ? a.size() : 0);
        for (int i = 0; i < frames; ++i) {
            a[i] = int16_t(bits == 8 ? (i * 7) % 256 : i * 331 - 16000);
            if (channels == 2) b[i] = int16_t(bits == 8 ? 255 - i % 256 : -i * 3);
        }
        load(a, b, float(bits), rate);
        doc().Info.clear();
        doc().FileName = path("sound.wav");
        doc().Changed = true;
    }
    std::string saved() { return readBytes(doc().FileName); }
};

} // namespace sono::test
