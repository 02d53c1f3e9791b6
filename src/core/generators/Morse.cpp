#include "generators/Morse.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "support/Numbers.h"

namespace sono {

std::optional<std::string_view> morseCode(char32_t c) {
    if (c >= U'A' && c <= U'Z') c = c - U'A' + U'a';
    static constexpr std::string_view Letters[26] = {
        ".-",   "-...", "-.-.", "-..",  ".",   "..-.", "--.",  "....", "..",
        ".---", "-.-",  ".-..", "--",   "-.",  "---",  ".--.", "--.-", ".-.",
        "...",  "-",    "..-",  "...-", ".--", "-..-", "-.--", "--.."};
    static constexpr std::string_view Digits[10] = {"-----", ".----", "..---", "...--", "....-",
                                                    ".....", "-....", "--...", "---..", "----."};
    if (c >= U'a' && c <= U'z') return Letters[c - U'a'];
    if (c >= U'0' && c <= U'9') return Digits[c - U'0'];
    switch (c) {
    case U',':
        return "--..--";
    case U'.':
        return ".-.-.-";
    case U'(':
        return "-.--.";
    case U')':
        return "-.--.-";
    case U':':
        return "---...";
    default:
        return std::nullopt;
    }
}

int16_t morseToneSample(int64_t frame, int rate, bool eightBit) {
    const double t =
        double(roundToInt(std::sin(2 * std::numbers::pi * double(frame) * 1000 / rate) * 128));
    if (eightBit) return int16_t(std::clamp(t + 128, 0.0, 255.0));
    return int16_t(std::clamp(t * 256, -32766.0, 32767.0));
}

MorseKeyer::MorseKeyer(int rate, int bits, double intervalMs)
    : rate_(rate), eightBit_(bits == 8), unit_(intervalMs * rate / 1000),
      samples_(1, eightBit_ ? 128 : 0) {}

void MorseKeyer::append(int units, bool silent) {
    for (int u = 0; u < units; ++u) {
        const int64_t old = int64_t(samples_.size());
        const int64_t count = roundToInt(double(old) + unit_);
        // Every new frame is written once: old .. count - 1, which is round(count - unit) ..
        // count - 1 except where the rounded ends meet at an exact half frame.
        samples_.reserve(size_t(count));
        for (int64_t k = old; k < count; ++k)
            samples_.push_back(silent ? int16_t(eightBit_ ? 128 : 0)
                                      : morseToneSample(k, rate_, eightBit_));
    }
}

std::vector<TextCharacter> textCharacters(std::string_view s) {
    std::vector<TextCharacter> out;
    for (size_t i = 0; i < s.size();) {
        const auto lead = static_cast<unsigned char>(s[i]);
        size_t length = lead < 0x80                   ? 1
                        : lead >= 0xF0 && lead < 0xF5 ? 4
                        : lead >= 0xE0                ? 3
                        : lead >= 0xC2                ? 2
                                                      : 0;
        char32_t code = lead;
        if (length > 1 && i + length <= s.size()) {
            code = lead & (0xFF >> (length + 1));
            for (size_t k = 1; k < length; ++k) {
                const auto next = static_cast<unsigned char>(s[i + k]);
                if ((next & 0xC0) != 0x80) {
                    length = 0;
                    break;
                }
                code = code << 6 | (next & 0x3F);
            }
        } else if (length > 1) {
            length = 0;
        }
        if (length == 0) {
            code = lead;
            length = 1;
        }
        out.push_back({code, s.substr(i, length)});
        i += length;
    }
    return out;
}

} // namespace sono
