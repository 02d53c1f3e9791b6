#include "support/StatusTexts.h"

#include <cmath>

#include "support/Numbers.h"
#include "support/Texts.h"

namespace sono {

std::string formatPanelText(const Document& doc) {
    std::string text =
        numberText(doc.BitsPerSample) + "-bits," + numberText(doc.SampleRate) + " Hz";
    if (doc.Channels == 1)
        text += ", mono";
    else if (doc.Channels == 2)
        text += ", stereo";
    return text + "   ";
}

int32_t soundDurationMs(const Document& doc) {
    if (doc.SampleRate <= 0) return 0;
    return int32_t(roundToInt(double(doc.SampleCount) * 1000 / doc.SampleRate));
}

std::string durationPanelText(const Document& doc, uint8_t language) {
    return LangText(language, "Duur: ", "Time: ") + FormatDuration(soundDurationMs(doc));
}

std::string sizePanelText(const Document& doc, uint8_t language) {
    // The byte size of the sample data raised to the next multiple of 1024.
    double bytes = double(doc.Channels) * doc.SampleCount * doc.BitsPerSample / 8 + 1024;
    double size = 1024 * std::floor(roundHalfEven(bytes) / 1024);
    return LangText(language, "Bestand: ", "File: ") + FormatFileSize(float(size), language);
}

std::string captionForUntitled(uint8_t language) {
    return LangText(language, "Naamloos", "No Title") + " - Sonoplexer";
}

// The name as it is: on a file system that tells case apart another case names another file.
std::string captionForFile(const std::string& displayName) {
    return displayName + " - Sonoplexer";
}

std::string toLowerText(const std::string& utf8) {
    std::string out = utf8;
    for (size_t i = 0; i < out.size(); ++i) {
        unsigned char c = out[i];
        if (c >= 'A' && c <= 'Z') {
            out[i] = char(c + 32);
        } else if (c == 0xC3 && i + 1 < out.size()) {
            // U+00C0..U+00DE (except the multiplication sign) have their lower case 32 higher.
            unsigned char next = out[i + 1];
            if (next >= 0x80 && next <= 0x9E && next != 0x97) out[i + 1] = char(next + 32);
            ++i;
        }
    }
    return out;
}

} // namespace sono
