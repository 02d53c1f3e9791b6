#include "MenuTree.h"

#include "desktop/HomePage.h"
#include "support/StatusTexts.h"

namespace sono {

namespace {
using enum MenuItemKind;
} // namespace

const std::vector<MenuItem>& menuTree() {
    static const std::vector<MenuItem> table = {
        {"MMfile", "", Menu, "&Bestand", "&File", ""},
        {"MMnieuw", "MMfile", Menu, "&Nieuw", "&New", ""},
        {"MMleeg", "MMnieuw", Command, "&Leeg", "&Empty", "Ctrl+N"},
        {"MMharmonisch", "MMnieuw", Command, "&Synthesizer", "&Synthesizer", ""},
        {"MMmorse", "MMnieuw", Command, "&Morsebericht", "&Morse Message", ""},
        {"MMopen", "MMfile", Command, "&Openen", "&Open", "Ctrl+O"},
        {"MMsave", "MMfile", Command, "&Opslaan", "&Save", "Ctrl+S"},
        {"MMsaveAs", "MMfile", Command, "Opslaan &Als", "Save &As", ""},
        {"MMlijn7", "MMfile", Separator, "", "", ""},
        {"MMimport", "MMfile", Menu, "&Importeren", "&Import", ""},
        {"MMopenMP3", "MMimport", Command, "&MP3", "&MP3", ""},
        {"MMopenAlles", "MMimport", Command, "&Alle Bestanden (*.*)", "&All Files (*.*)", ""},
        {"MMexport", "MMfile", Menu, "&Exporteren", "&Export", ""},
        {"MMsaveMP3", "MMexport", Command, "&MP3", "&MP3", ""},
        // The recent files take their captions and visibility from the settings.
        {"MMlijn4", "MMfile", Separator, "", "", "", true},
        {"MMrecent0", "MMfile", Command, "", "", "", true},
        {"MMrecent1", "MMfile", Command, "", "", "", true},
        {"MMrecent2", "MMfile", Command, "", "", "", true},
        {"MMrecent3", "MMfile", Command, "", "", "", true},
        {"MMrecent4", "MMfile", Command, "", "", "", true},
        {"MMlijn5", "MMfile", Separator, "", "", ""},
        {"MMprop", "MMfile", Command, "&Eigenschappen", "&Properties", ""},
        {"MMinformatie", "MMfile", Command, "&Informatie", "&Information", ""},
        {"MMlijn2", "MMfile", Separator, "", "", ""},
        {"MMasso", "MMfile", Command, "Maak File &Association", "Create File &Association", ""},
        {"MMdelAsso", "MMfile", Command, "&Verwijder File Association", "&Remove File Association",
         ""},
        {"MMlijn11", "MMfile", Separator, "", "", ""},
        {"MMsnapler", "MMfile", Command, "&Snapler", "&Snapler", ""},
        {"MMlijn9", "MMfile", Separator, "", "", ""},
        {"MMclose", "MMfile", Command, "&Sluiten", "&Close", ""},

        {"MMedit", "", Menu, "Be&werken", "&Edit", ""},
        {"MMundo", "MMedit", Command, "&Ongedaan Maken", "&Undo", "Ctrl+Z"},
        {"MMredo", "MMedit", Command, "&Herhalen", "&Redo", "Ctrl+Y"},
        {"MMlijn8", "MMedit", Separator, "", "", ""},
        {"MMcut", "MMedit", Command, "&Knippen", "&Cut", "Ctrl+X"},
        {"MMcopy", "MMedit", Command, "&Kopiëren", "&Copy", "Ctrl+C"},
        {"MMpaste", "MMedit", Command, "&Plakken", "&Paste", "Ctrl+V"},
        {"MMpasteMix", "MMedit", Command, "Ge&mixed Plakken", "&Paste Mix", "Ctrl+M"},
        {"MMpasteOverloper", "MMedit", Command, "'&Overlopend' Plakken", "&Paste Fading", ""},
        {"MMdel", "MMedit", Command, "&Verwijderen", "&Delete", "Del"},
        {"MMerase", "MMedit", Command, "&Wissen", "&Erase", ""},
        {"MMmute", "MMedit", Command, "&Stilte", "&Mute", ""},
        {"MMSilence", "MMedit", Command, "&Stilte Toevoegen", "Add &Silence", ""},
        {"MMAlles", "MMedit", Command, "&Alles Selecteren", "Select &All", "Ctrl+A"},
        {"MMNiets", "MMedit", Command, "&Niets Selecteren", "Select &Nothing", ""},
        {"MMlijn1", "MMedit", Separator, "", "", ""},
        {"MMvolume", "MMedit", Command, "&Volume", "&Volume", ""},
        {"MMnormalize", "MMedit", Command, "Volume &Normaliseren", "&Normalize Volume", ""},
        {"MMspeed", "MMedit", Command, "&Snelheid", "&Speed", ""},
        {"MMlijn3", "MMedit", Separator, "", "", ""},
        {"MMreverse", "MMedit", Command, "&Omdraaien", "&Reverse", ""},
        {"MMecho", "MMedit", Command, "&Echo", "&Echo", ""},
        {"MMDempen", "MMedit", Command, "Ver&zachten", "&Soften", ""},
        {"MMalien", "MMedit", Command, "&Buitenaards 1", "&Alien 1", ""},
        {"MMalien2", "MMedit", Command, "&Buitenaards 2", "&Alien 2", ""},
        {"MMsat", "MMedit", Command, "&Satelliet", "&Satellite", ""},
        {"MMgekraak", "MMedit", Command, "&Krakerig", "&Creaking", ""},
        {"MMkrimpen", "MMedit", Command, "&Krimpen", "&Shrink", ""},
        {"MMfilter", "MMedit", Command, "Geavanceerde &Filter", "Advanced &Filter", ""},

        {"MMbeeld", "", Menu, "Beel&d", "&View", ""},
        {"MMmetertje", "MMbeeld", Check, "&Real-Time Volume Weergeven", "Display &Real-Time Volume",
         ""},
        {"MMtijdAangeven", "MMbeeld", Check, "&Tijd Aangeven", "Display &Time", ""},
        {"MMzoom", "MMbeeld", Check, "In&zoomen", "&Zoom", ""},
        {"MMlijnBeeld2", "MMbeeld", Separator, "", "", ""},
        {"MMgrafiek", "MMbeeld", Menu, "&Grafiek", "&Graphic", ""},
        {"MMgrafiek1", "MMgrafiek", Radio, "&Standaard", "&Standard", ""},
        {"MMgrafiek3", "MMgrafiek", Radio, "&Groen", "&Green", ""},
        {"MMgrafiek4", "MMgrafiek", Radio, "&Heelal", "&Space", ""},
        {"MMgrafiek5", "MMgrafiek", Radio, "&Vuur", "&Fire", ""},
        {"MMgrafiek2", "MMgrafiek", Radio, "&Bloemen", "&Flowers", ""},
        {"MMgrafiek6", "MMgrafiek", Radio, "&Donker", "&Dark", ""},
        {"MMgrafiek7", "MMgrafiek", Radio, "&Ondergaande Zon", "&Sunset", ""},
        {"MMsaveBMP", "MMbeeld", Command, "Grafiek Opslaan Als &BMP", "Save Graphic As &BMP", ""},

        {"MMoptiesMenu", "", Menu, "&Opties", "&Options", ""},
        {"MMbeide", "MMoptiesMenu", Check, "&Beide Kanalen Selecteren", "Select &Both Channels",
         ""},
        {"MMluister", "MMoptiesMenu", Check, "Gelijk &Luisteren Na Verandering",
         "Immediately &Listen After Change", ""},
        {"MMlijnY", "MMoptiesMenu", Separator, "", "", ""},
        {"MMtoonInfo", "MMoptiesMenu", Check, "&Informatie Noemen Bij Openen",
         "Mention &Information When Opening", ""},
        {"MMonbekend", "MMoptiesMenu", Check, "Onbekende &Chunks Noemen", "Mention Unknown &Chunks",
         ""},
        {"MMlijnX", "MMoptiesMenu", Separator, "", "", ""},
        {"MMtaal", "MMoptiesMenu", Menu, "&Taal", "&Language", ""},
        {"MMeng", "MMtaal", Check, "&English", "&English", ""},
        {"MMned", "MMtaal", Check, "&Nederlands", "&Nederlands", ""},

        {"MMplayMenu", "", Menu, "&Afspelen", "&Play", ""},
        {"MMplay", "MMplayMenu", Command, "&Afspelen", "&Play", "F5"},
        {"MMstop", "MMplayMenu", Command, "&Stoppen", "&Stop", "F6"},
        {"MMlijnRewForw1", "MMplayMenu", Separator, "", "", ""},
        {"MMrecord", "MMplayMenu", Command, "&Opnemen", "&Record", "F7"},
        {"MMrecordMix", "MMplayMenu", Command, "Ge&mixed Opnemen", "Record &Mix", "F8"},
        {"MMrecordOverloop", "MMplayMenu", Command, "'&Overlopend' Opnemen", "Record &Fading",
         "F9"},
        {"MMlijnRewForw2", "MMplayMenu", Separator, "", "", ""},
        {"MMrewind", "MMplayMenu", Command, "&Terugspoelen", "Re&wind", "F11"},
        {"MMforward", "MMplayMenu", Command, "&Verderspoelen", "&Fast Forward", "F12"},

        {"MMhelpMenu", "", Menu, "&Help", "&Help", ""},
        {"MMhelp", "MMhelpMenu", Command, "&Help", "&Help", "F1"},
        // Appears once About has been chosen three times.
        {"MMegg", "MMhelpMenu", Command, "Klik Niet Hier!", "Don't Click Here!", "", true},
        {"MMabout", "MMhelpMenu", Command, "&Info", "&About", ""},
        // The website item shows the address of a home page itself.
        {"MMwebsite", "MMhelpMenu", Command, homePageCaption(true), homePageCaption(false), ""},
    };
    return table;
}

} // namespace sono
