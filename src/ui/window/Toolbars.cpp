#include "Toolbars.h"

namespace sono {

const std::vector<ToolbarButton>& toolbar1Buttons() {
    static const std::vector<ToolbarButton> buttons = {
        {"Leeg", "MMleeg", "Nieuw", "New"},
        {"Trilling", "MMharmonisch", "Synthesizer", "Synthesizer"},
        {"Morse", "MMmorse", "Morsebericht", "Morse Message"},
        {"Openen", "MMopen", "Openen", "Open"},
        {"Opslaan", "MMsave", "Opslaan", "Save"},
        {"openM", "MMopenMP3", "MP3 Importeren", "Import MP3"},
        {"opslaanM", "MMsaveMP3", "MP3 Exporteren", "Export MP3"},
        {"Eigenschappen", "MMprop", "Eigenschappen", "Properties"},
        {"Info", "MMinformatie", "Informatie", "Information"},
        {"Undo", "MMundo", "Ongedaan Maken", "Undo"},
        {"Redo", "MMredo", "Herhalen", "Redo"},
        {"Cut", "MMcut", "Knippen", "Cut"},
        {"Copy", "MMcopy", "Kopiëren", "Copy"},
        {"Paste", "MMpaste", "Plakken", "Paste"},
        {"Mute", "MMmute", "Stilte", "Mute"},
        {"Silence", "MMSilence", "Stilte Toevoegen", "Add Silence"},
        {"EchtAlles", "MMAlles", "Alles Selecteren", "Select All"},
        // "Alles" is the key of the select-nothing button.
        {"Alles", "MMNiets", "Niets Selecteren", "Select Nothing"},
        {"Volume", "MMvolume", "Volume", "Volume"},
        {"Norma", "MMnormalize", "Volume Normaliseren", "Normalize Volume"},
        {"Snelheid", "MMspeed", "Snelheid", "Speed"},
        {"Omdraaien", "MMreverse", "Omdraaien", "Reverse"},
        {"Echo", "MMecho", "Echo", "Echo"},
        {"Dempen", "MMDempen", "Verzachten", "Soften"},
        {"Alien", "MMalien", "Buitenaards 1", "Alien 1"},
        {"Alien2", "MMalien2", "Buitenaards 2", "Alien 2"},
        {"Satelliet", "MMsat", "Satelliet", "Satellite"},
        {"Gekraak", "MMgekraak", "Krakerig", "Creaking"},
        {"Krimpen", "MMkrimpen", "Krimpen", "Shrink"},
        {"Filter", "MMfilter", "Geavanceerde Filter", "Advanced Filter"},
        {"Zoom", "MMzoom", "Inzoomen", "Zoom"},
        {"Beide", "MMbeide", "Beide Kanalen Selecteren", "Select Both Channels"},
        {"Luister", "MMluister", "Gelijk Luisteren Na Verandering",
         "Immediately Listen After Change"},
    };
    return buttons;
}

const std::vector<ToolbarButton>& toolbar2Buttons() {
    static const std::vector<ToolbarButton> buttons = {
        {"Afspelen", "MMplay", "Afspelen", "Play"},
        {"Stoppen", "MMstop", "Stoppen", "Stop"},
        {"Record", "MMrecord", "Opnemen", "Record"},
        {"RecordMix", "MMrecordMix", "Gemixed Opnemen", "Record Mix"},
        {"RecordOverloop", "MMrecordOverloop", "'Overlopend' Opnemen", "Record Fading"},
        {"Rewind", "MMrewind", "Terugspoelen", "Rewind"},
        {"FastForward", "MMforward", "Verderspoelen", "Fast Forward"},
    };
    return buttons;
}

} // namespace sono
