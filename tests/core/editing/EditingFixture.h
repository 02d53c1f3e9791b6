#pragma once
// The editor fixture with the work files of the editing commands: the clip file and the undo
// snapshots.
#include "../EditorFixture.h"

namespace sono::test {

// The clip file's parts: header, a tagged block of samples, the two closing zeros.
inline std::string clipHeader(int32_t frames, int32_t bits, int32_t rate) {
    std::string out("\xA9\xAE\x2A\x26", 4);
    for (int32_t field : {frames, bits, rate})
        appendLE32(out, uint32_t(field));
    return out;
}
inline std::string block(uint8_t tag, const Samples& samples) {
    return char(tag) + le16(samples);
}
inline const std::string End("\0\0", 2);

class EditingFixture : public EditorFixture {
  protected:
    void writeClip(int32_t bits, int32_t rate, const Samples& a, const Samples& b = {}) {
        std::string bytes = clipHeader(int32_t(a.size()), bits, rate) + block(1, a);
        if (!b.empty()) bytes += block(2, b);
        writeBytes(clipFile(), bytes + End);
    }
    std::string clip() const { return readBytes(clipFile()); }
    // Channel 1 after Undo or Redo.
    Samples undo() {
        editor->history().undo();
        return left();
    }
    Samples redo() {
        editor->history().redo();
        return left();
    }
    std::filesystem::path clipFile() const { return dir / "temp" / u8"%$&©®.dat"; }
    std::filesystem::path snapshot(int n) const {
        return dir / "temp" / ("Sonoplexer UndoData " + std::to_string(n) + ".dat");
    }
};

} // namespace sono::test
