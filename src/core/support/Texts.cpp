#include "support/Texts.h"

#include <cmath>

#include "support/Numbers.h"

namespace sono {

std::string FormatDuration(int32_t ms) {
    std::string seconds = std::to_string((ms / 1000) % 60);
    std::string hundredths = std::to_string((ms % 1000) / 10);
    if (hundredths.size() == 1) hundredths = "0" + hundredths;
    if (ms < 60000) return seconds + "." + hundredths;
    if (seconds.size() == 1) seconds = "0" + seconds;
    return std::to_string(ms / 60000) + ":" + seconds + "." + hundredths;
}

std::string FormatFileSize(float bytes, uint8_t language) {
    std::string text;
    if (bytes < 1024) {
        text = numberText(bytes) + " bytes";
    } else {
        // Each unit shows one decimal, which the number rule drops again when it is zero.
        static constexpr const char* units[] = {" kb", " mb", " gb"};
        double quotient = double(bytes) / 1024;
        int unit = 0;
        while (unit < 2 && quotient >= 1024) {
            quotient /= 1024;
            ++unit;
        }
        double oneDecimal = roundHalfEven(quotient * 10) / 10;
        text = numberText(oneDecimal).substr(0, 7) + units[unit];
    }
    size_t dot = text.find('.');
    if (dot == std::string::npos) return text.substr(1);
    text[dot] = language == LanguageDutch ? ',' : '.';
    return text;
}

} // namespace sono
