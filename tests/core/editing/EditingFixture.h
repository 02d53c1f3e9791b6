#pragma once
// An editor holding a sound made to measure, with helpers to select and to read work files.
#include <fstream>
#include <iterator>
#include <numeric>

#include "../EditorFixture.h"
#include "document/Document.h"
#include "formats/ByteFile.h"

namespace sono::test {

// 0, 1, 2, ... count - 1 plus offset.
inline Samples ramp(int count, int offset = 0) {
    Samples out(static_cast<size_t>(count));
    std::iota(out.begin(), out.end(), int16_t(offset));
    return out;
}

inline std::string fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

// The clip file's parts: header, a tagged block of samples, the two closing zeros.
inline std::string clipHeader(int32_t frames, int32_t bits, int32_t rate) {
    std::string out("\xA9\xAE\x2A\x26", 4);
    appendLE32(out, uint32_t(frames));
    appendLE32(out, uint32_t(bits));
    appendLE32(out, uint32_t(rate));
    return out;
}
inline std::string block(uint8_t tag, const Samples& samples) {
    std::string out(1, char(tag));
    for (int16_t s : samples)
        appendLE16(out, uint16_t(s));
    return out;
}
inline const std::string End("\0\0", 2);

class EditingFixture : public EditorFixture {
  protected:
    Document& doc() { return editor->doc(); }

    // A new untitled sound holding exactly these samples (right empty: mono).
    void makeSound(const Samples& left, const Samples& right = {}, float bits = 16,
                   float rate = 22050) {
        editor->doc().BitsPerSample = bits;
        editor->doc().SampleRate = rate;
        editor->MMleeg();
        Document& d = editor->doc();
        d.SampleCount = int32_t(left.size());
        d.LeftSamples = left;
        d.Channels = right.empty() ? 1.0f : 2.0f;
        d.RightSamples = right.empty() ? Samples{0} : right;
        host.statusLog.clear();
        host.messages.clear();
    }

    // What the window does when the user drags over frames from..to in a view.
    void select(int from, int to, int view = 1) {
        doc().SelStart = float(from);
        doc().SelEnd = float(to);
        doc().SelChannel = view;
        editor->ShowSelection();
    }

    void setBoth(bool on) {
        if (editor->options().bothChannels != on) editor->MMbeide();
    }

    Samples left(int from, int count) {
        return Samples(doc().LeftSamples.begin() + from, doc().LeftSamples.begin() + from + count);
    }
    Samples right(int from, int count) {
        return Samples(doc().RightSamples.begin() + from,
                       doc().RightSamples.begin() + from + count);
    }

    void writeClip(int32_t bits, int32_t rate, const Samples& a, const Samples& b = {}) {
        std::string bytes = clipHeader(int32_t(a.size()), bits, rate) + block(1, a);
        if (!b.empty()) bytes += block(2, b);
        writeBytes(clipFile(), bytes + End);
    }

    std::filesystem::path tempDir() const { return dir / "temp"; }
    std::filesystem::path clipFile() const { return dir / "temp" / u8"%$&©®.dat"; }
    std::filesystem::path snapshot(int n) const {
        return dir / "temp" / ("Sonoplexer UndoData " + std::to_string(n) + ".dat");
    }
};

} // namespace sono::test
