#include "effects/Envelope.h"

#include <algorithm>

#include "support/Numbers.h"
#include "support/Texts.h"

namespace sono {

double clampTop(double top) {
    return std::clamp(top, 0.0, BlockTravel);
}

int blockValue(double top, const CurveScale& scale) {
    return int(roundToInt((BlockTravel - clampTop(top)) * scale.span / BlockTravel)) + scale.lowest;
}

int16_t storedTop(double top, const CurveScale& scale) {
    top = clampTop(top);
    // The whole number nearest to the top less the fraction, or the next nearest when only that
    // one reads back as the same value (a block the keys left between two positions).
    const double whole = top - scale.fraction;
    const int64_t nearest = roundToInt(whole);
    const int64_t next = whole < double(nearest) ? nearest - 1 : nearest + 1;
    for (int64_t candidate : {nearest, next})
        if (candidate >= 0 && candidate <= int64_t(BlockTravel) &&
            blockValue(shownTop(int16_t(candidate), scale), scale) == blockValue(top, scale))
            return int16_t(candidate);
    return int16_t(std::clamp<int64_t>(nearest, 0, int64_t(BlockTravel)));
}

double shownTop(int16_t stored, const CurveScale& scale) {
    // 0 is the top end; every other whole number is a position on the panel's grid.
    if (stored <= 0) return 0;
    return clampTop(stored + scale.fraction);
}

PanelColour panelColour(double leftTop, double rightTop) {
    const double mean = (leftTop + rightTop) / 2;
    return {int(roundToInt(255 - mean * 128 / BlockTravel)),
            int(roundToInt(mean * 128 / BlockTravel)), 0};
}

std::string curveSentence(CurveSentence kind, bool same, int left, int right, uint8_t language) {
    auto text = [language](std::string_view dutch, std::string_view english) {
        return LangText(language, dutch, english);
    };
    const std::string a = numberText(double(left));
    const std::string b = numberText(double(right));
    switch (kind) {
    case CurveSentence::Volume:
        return same ? text("Het volume is", "The volume is") + a + " %."
                    : text("Het volume gaat van", "The volume changes from") + a +
                          text(" naar", " to") + b + " %.";
    case CurveSentence::Speed:
        return same ? text("De snelheid is", "The speed is") + a + " %."
                    : text("De snelheid gaat van", "The speed changes from") + a +
                          text(" naar", " to") + b + " %.";
    case CurveSentence::Delay:
        return same ? text("De vertraging is", "The delay is") + a +
                          text(" milliseconden.", " milliseconds.")
                    : text("De vertraging gaat van", "The delay changes from") + a +
                          text(" naar", " to") + b + text(" milliseconden.", " milliseconds.");
    case CurveSentence::Repeats:
        return text("Het aantal herhalingen is", "The number of repeats is") + a + ".";
    }
    return {};
}

} // namespace sono
