#include "support/Progress.h"

#include <algorithm>
#include <cmath>

#include "support/Texts.h"

namespace sono {

std::string progressKindText(int kind, uint8_t language) {
    switch (kind) {
    case ProgressOpening:
        return LangText(language, "Openen...", "Opening...");
    case ProgressDrawing:
        return LangText(language, "Grafiek tekenen...", "Drawing graphic...");
    case ProgressEditing:
        return LangText(language, "Bewerken...", "Editing...");
    case ProgressSaving:
        return LangText(language, "Opslaan...", "Saving...");
    case ProgressPreparingPlay:
        return LangText(language, "Afspelen voorbereiden...", "Preparing to play...");
    case ProgressRecording:
        return LangText(language, "Opname verwerken...", "Processing recording...");
    case ProgressPasting:
        return LangText(language, "Plakken...", "Pasting...");
    default:
        return {};
    }
}

std::string timeLeftText(double seconds, uint8_t language) {
    const int64_t whole = std::max<int64_t>(1, int64_t(std::ceil(seconds)));
    std::string time = std::to_string(whole % 60) + " s";
    if (whole >= 60) time = std::to_string(whole / 60) + " min " + time;
    return LangText(language, " - nog " + time, " - " + time + " left");
}

} // namespace sono
