#pragma once
// The Morse message's arithmetic: the International Morse Code (ITU-R M.1677-1) of the
// letters, digits and five signs the generator knows, and the growing of a sound unit by unit with
// a 1000 Hz tone whose phase runs on through the whole sound.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace sono {

// The Morse dialog's interval range and first value, in milliseconds.
inline constexpr int MorseIntervalMin = 10;
inline constexpr int MorseIntervalMax = 200;
inline constexpr int MorseIntervalInitial = 75;

// The dots and dashes of a character (".-" for a), compared after conversion to lower case;
// nullopt for a character without a code (the space among them).
std::optional<std::string_view> morseCode(char32_t character);

// A sound being keyed: 8- or 16-bit mono samples at `rate`, grown by whole units of
// interval * rate / 1000 frames, the running length rounded after each unit.
class MorseKeyer {
  public:
    MorseKeyer(int rate, int bits, double intervalMs);

    // Appends n units of tone or of silence.
    void append(int units, bool silent);
    // Room for a sound of `frames` frames, made before keying (may throw std::bad_alloc).
    void reserve(size_t frames) { samples_.reserve(frames); }
    // The samples so far; starts with one frame of silence.
    const std::vector<int16_t>& samples() const { return samples_; }
    std::vector<int16_t> take() { return std::move(samples_); }
    double unitFrames() const { return unit_; }

  private:
    int rate_;
    bool eightBit_;
    double unit_;
    std::vector<int16_t> samples_;
};

// The tone's sample at frame k of the whole sound: t = round(sin(2 pi k 1000 / rate) * 128), stored
// as t + 128 clipped to 0..255 (8-bit) or t * 256 clipped to -32766..32767 (16-bit).
int16_t morseToneSample(int64_t frame, int rate, bool eightBit);

// Splits UTF-8 text into its characters (a byte that starts no valid sequence is a character of its
// own), each with the bytes it was written with.
struct TextCharacter {
    char32_t code;
    std::string_view bytes;
};
std::vector<TextCharacter> textCharacters(std::string_view utf8);

} // namespace sono
