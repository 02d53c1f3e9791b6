#include "support/Progress.h"

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

} // namespace sono
