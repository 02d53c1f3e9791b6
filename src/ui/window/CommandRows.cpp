#include "CommandRows.h"

#include <algorithm>
#include <string_view>

#include "desktop/HomePage.h"
#include "support/StatusTexts.h"

namespace sono {

namespace {
using enum MenuItemKind;
using enum PictureInMenu;

// A row written as its menu place and captions, followed by what else it has.
struct R : CommandRow {
    R(const char* name, const char* parent, MenuItemKind kind, const char* dutch,
      const char* english)
        : CommandRow{name, parent, kind, dutch, english} {}
    R& key(const char* shortcut) {
        this->shortcut = shortcut;
        return *this;
    }
    R& hidden() {
        startsHidden = true;
        return *this;
    }
    R& picture(const char* themeName, const char* drawing, const char* badge, PictureInMenu in) {
        CommandRow::picture = {themeName, drawing, badge, in};
        return *this;
    }
    R& on(Toolbar bar, const char* key) {
        toolbar = bar;
        buttonKey = key;
        return *this;
    }
    R& tip(const char* dutch, const char* english) {
        tipDutch = dutch;
        tipEnglish = english;
        return *this;
    }
    R& asks(ValuesDialog values) {
        dialog = values;
        return *this;
    }
};
} // namespace

const std::vector<CommandRow>& commandRows() {
    // Pictures: where the freedesktop theme names one of the same meaning the theme's is shown,
    // our drawing in its place when the theme lacks it. Kept drawings: edit-select-all is a text
    // page, while Select All must pair with Select Nothing (no theme name) over a waveform;
    // audio-volume-muted says "the loudspeaker is off", not "this stretch is made silent";
    // document-save-as is drawn exactly as document-save, and document-properties in greys that
    // look disabled; the transport buttons and Zoom are faint outlines in the common theme (and
    // zoom-in a square with a plus). A variant of a command (Record Mix) shows that command's
    // picture with a badge.
    static const std::vector<CommandRow> table = {
        R("MMfile", "", Menu, "&Bestand", "&File"),
        R("MMnieuw", "MMfile", Menu, "&Nieuw", "&New"),
        R("MMleeg", "MMnieuw", Command, "&Leeg", "&Empty")
            .key("Ctrl+N")
            .picture("document-new", "document-new", nullptr, Always)
            .on(Toolbar::Commands, "Leeg")
            .tip("Nieuw", "New"),
        R("MMharmonisch", "MMnieuw", Command, "&Synthesizer", "&Synthesizer")
            .picture(nullptr, "synthesizer", nullptr, Always)
            .on(Toolbar::Commands, "Trilling")
            .asks(ValuesDialog::Synthesizer),
        R("MMmorse", "MMnieuw", Command, "&Morsebericht", "&Morse Message")
            .picture(nullptr, "morse", nullptr, Always)
            .on(Toolbar::Commands, "Morse")
            .asks(ValuesDialog::Morse),
        R("MMopen", "MMfile", Command, "&Openen", "&Open")
            .key("Ctrl+O")
            .picture("document-open", "document-open", nullptr, Always)
            .on(Toolbar::Commands, "Openen"),
        R("MMsave", "MMfile", Command, "&Opslaan", "&Save")
            .key("Ctrl+S")
            .picture("document-save", "document-save", nullptr, Always)
            .on(Toolbar::Commands, "Opslaan"),
        R("MMsaveAs", "MMfile", Command, "Opslaan &Als", "Save &As")
            .picture("document-save", "document-save", "badge-edit", Always),
        R("MMlijn7", "MMfile", Separator, "", ""),
        R("MMimport", "MMfile", Menu, "&Importeren", "&Import"),
        R("MMopenMP3", "MMimport", Command, "&MP3", "&MP3")
            .picture("document-open", "document-open", "badge-music", Always)
            .on(Toolbar::Commands, "openM")
            .tip("MP3 Importeren", "Import MP3")
            .asks(ValuesDialog::Mp3Import),
        R("MMopenAlles", "MMimport", Command, "&Alle Bestanden (*.*)", "&All Files (*.*)")
            .picture("document-open", "document-open", "badge-any", Always)
            .asks(ValuesDialog::RawImport),
        R("MMexport", "MMfile", Menu, "&Exporteren", "&Export"),
        R("MMsaveMP3", "MMexport", Command, "&MP3", "&MP3")
            .picture("document-save", "document-save", "badge-music", Always)
            .on(Toolbar::Commands, "opslaanM")
            .tip("MP3 Exporteren", "Export MP3")
            .asks(ValuesDialog::Mp3Export),
        // The recent files take their captions and visibility from the settings.
        R("MMlijn4", "MMfile", Separator, "", "").hidden(),
        R("MMrecent0", "MMfile", Command, "", "").hidden(),
        R("MMrecent1", "MMfile", Command, "", "").hidden(),
        R("MMrecent2", "MMfile", Command, "", "").hidden(),
        R("MMrecent3", "MMfile", Command, "", "").hidden(),
        R("MMrecent4", "MMfile", Command, "", "").hidden(),
        R("MMlijn5", "MMfile", Separator, "", ""),
        R("MMprop", "MMfile", Command, "&Eigenschappen", "&Properties")
            .picture(nullptr, "properties", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "Eigenschappen")
            .asks(ValuesDialog::Properties),
        R("MMinformatie", "MMfile", Command, "&Informatie", "&Information")
            .picture(nullptr, "information", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "Info")
            .asks(ValuesDialog::Information),
        R("MMlijn2", "MMfile", Separator, "", ""),
        R("MMasso", "MMfile", Command, "Maak File &Association", "Create File &Association")
            .picture("audio-x-generic", "audio-x-generic", "badge-link", Always),
        R("MMdelAsso", "MMfile", Command, "&Verwijder File Association", "&Remove File Association")
            .picture("audio-x-generic", "audio-x-generic", "badge-unlink", Always),
        R("MMlijn11", "MMfile", Separator, "", ""),
        R("MMsnapler", "MMfile", Command, "&Snapler", "&Snapler")
            .picture(nullptr, "player", nullptr, Always),
        R("MMlijn9", "MMfile", Separator, "", ""),
        R("MMclose", "MMfile", Command, "&Sluiten", "&Close")
            .picture("application-exit", "application-exit", nullptr, Always),
        R("MMedit", "", Menu, "Be&werken", "&Edit"),
        R("MMundo", "MMedit", Command, "&Ongedaan Maken", "&Undo")
            .key("Ctrl+Z")
            .picture("edit-undo", "edit-undo", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "Undo"),
        R("MMredo", "MMedit", Command, "&Herhalen", "&Redo")
            .key("Ctrl+Y")
            .picture("edit-redo", "edit-redo", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "Redo"),
        R("MMlijn8", "MMedit", Separator, "", ""),
        R("MMcut", "MMedit", Command, "&Knippen", "&Cut")
            .key("Ctrl+X")
            .picture("edit-cut", "edit-cut", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "Cut"),
        R("MMcopy", "MMedit", Command, "&Kopiëren", "&Copy")
            .key("Ctrl+C")
            .picture("edit-copy", "edit-copy", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "Copy"),
        R("MMpaste", "MMedit", Command, "&Plakken", "&Paste")
            .key("Ctrl+V")
            .picture("edit-paste", "edit-paste", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "Paste"),
        R("MMpasteMix", "MMedit", Command, "Ge&mixed Plakken", "&Paste Mix").key("Ctrl+M"),
        R("MMpasteOverloper", "MMedit", Command, "'&Overlopend' Plakken", "&Paste Fading"),
        R("MMdel", "MMedit", Command, "&Verwijderen", "&Delete").key("Del"),
        R("MMerase", "MMedit", Command, "&Wissen", "&Erase"),
        R("MMmute", "MMedit", Command, "&Stilte", "&Mute")
            .picture(nullptr, "mute", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "Mute"),
        R("MMSilence", "MMedit", Command, "&Stilte Toevoegen", "Add &Silence")
            .picture(nullptr, "add-silence", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "Silence"),
        R("MMAlles", "MMedit", Command, "&Alles Selecteren", "Select &All")
            .key("Ctrl+A")
            .picture(nullptr, "select-all", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "EchtAlles"),
        R("MMNiets", "MMedit", Command, "&Niets Selecteren", "Select &Nothing")
            .picture(nullptr, "select-nothing", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "Alles"),
        R("MMlijn1", "MMedit", Separator, "", ""),
        R("MMvolume", "MMedit", Command, "&Volume", "&Volume")
            .picture(nullptr, "volume", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "Volume")
            .asks(ValuesDialog::VolumeCurve),
        R("MMnormalize", "MMedit", Command, "Volume &Normaliseren", "&Normalize Volume")
            .picture(nullptr, "normalize", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "Norma"),
        R("MMspeed", "MMedit", Command, "&Snelheid", "&Speed")
            .picture(nullptr, "speed", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "Snelheid")
            .asks(ValuesDialog::SpeedCurve),
        R("MMlijn3", "MMedit", Separator, "", ""),
        R("MMreverse", "MMedit", Command, "&Omdraaien", "&Reverse")
            .picture(nullptr, "reverse", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "Omdraaien"),
        R("MMecho", "MMedit", Command, "&Echo", "&Echo")
            .picture(nullptr, "echo", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "Echo")
            .asks(ValuesDialog::EchoCurve),
        R("MMDempen", "MMedit", Command, "Ver&zachten", "&Soften")
            .picture(nullptr, "soften", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "Dempen"),
        R("MMalien", "MMedit", Command, "&Buitenaards 1", "&Alien 1")
            .picture(nullptr, "alien-1", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "Alien"),
        R("MMalien2", "MMedit", Command, "&Buitenaards 2", "&Alien 2")
            .picture(nullptr, "alien-2", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "Alien2"),
        R("MMsat", "MMedit", Command, "&Satelliet", "&Satellite")
            .picture(nullptr, "satellite", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "Satelliet"),
        R("MMgekraak", "MMedit", Command, "&Krakerig", "&Creaking")
            .picture(nullptr, "creaking", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "Gekraak"),
        R("MMkrimpen", "MMedit", Command, "&Krimpen", "&Shrink")
            .picture(nullptr, "shrink", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "Krimpen")
            .asks(ValuesDialog::Shrink),
        R("MMfilter", "MMedit", Command, "Geavanceerde &Filter", "Advanced &Filter")
            .picture(nullptr, "filter", nullptr, WhenEnabled)
            .on(Toolbar::Commands, "Filter")
            .asks(ValuesDialog::Filter),
        R("MMbeeld", "", Menu, "Beel&d", "&View"),
        R("MMmetertje", "MMbeeld", Check, "&Real-Time Volume Weergeven",
          "Display &Real-Time Volume"),
        R("MMtijdAangeven", "MMbeeld", Check, "&Tijd Aangeven", "Display &Time"),
        R("MMzoomSelectie", "MMbeeld", Command, "Zoomen Naar &Selectie", "Zoom to &Selection")
            .key("Ctrl+E")
            .picture(nullptr, "zoom-selection", nullptr, WhenEnabled)
            .on(Toolbar::Zoom, "ZoomSelectie"),
        R("MMzoomAlles", "MMbeeld", Command, "Zoomen Naar &Heel Geluid", "Zoom to &Whole Sound")
            .key("Ctrl+F")
            .picture(nullptr, "zoom-whole", nullptr, WhenEnabled)
            .on(Toolbar::Zoom, "ZoomAlles"),
        R("MMzoom", "MMbeeld", Check, "In&zoomen", "&Zoom")
            .picture(nullptr, "zoom-in", nullptr, Never)
            .on(Toolbar::Commands, "Zoom"),
        R("MMlijnBeeld2", "MMbeeld", Separator, "", ""),
        R("MMgrafiek", "MMbeeld", Menu, "&Grafiek", "&Graphic"),
        R("MMgrafiek1", "MMgrafiek", Radio, "&Standaard", "&Standard"),
        R("MMgrafiek3", "MMgrafiek", Radio, "&Groen", "&Green"),
        R("MMgrafiek4", "MMgrafiek", Radio, "&Heelal", "&Space"),
        R("MMgrafiek5", "MMgrafiek", Radio, "&Vuur", "&Fire"),
        R("MMgrafiek2", "MMgrafiek", Radio, "&Bloemen", "&Flowers"),
        R("MMgrafiek6", "MMgrafiek", Radio, "&Donker", "&Dark"),
        R("MMgrafiek7", "MMgrafiek", Radio, "&Ondergaande Zon", "&Sunset"),
        R("MMsaveBMP", "MMbeeld", Command, "Grafiek Opslaan Als &BMP", "Save Graphic As &BMP"),
        R("MMoptiesMenu", "", Menu, "&Opties", "&Options"),
        R("MMbeide", "MMoptiesMenu", Check, "&Beide Kanalen Selecteren", "Select &Both Channels")
            .picture(nullptr, "both-channels", nullptr, Never)
            .on(Toolbar::Commands, "Beide"),
        R("MMluister", "MMoptiesMenu", Check, "Gelijk &Luisteren Na Verandering",
          "Immediately &Listen After Change")
            .picture(nullptr, "listen-after-change", nullptr, Never)
            .on(Toolbar::Commands, "Luister"),
        R("MMlijnY", "MMoptiesMenu", Separator, "", ""),
        R("MMtoonInfo", "MMoptiesMenu", Check, "&Informatie Noemen Bij Openen",
          "Mention &Information When Opening"),
        R("MMonbekend", "MMoptiesMenu", Check, "Onbekende &Chunks Noemen",
          "Mention Unknown &Chunks"),
        R("MMlijnX", "MMoptiesMenu", Separator, "", ""),
        R("MMtaal", "MMoptiesMenu", Menu, "&Taal", "&Language"),
        R("MMeng", "MMtaal", Check, "&English", "&English"),
        R("MMned", "MMtaal", Check, "&Nederlands", "&Nederlands"),
        R("MMplayMenu", "", Menu, "&Afspelen", "&Play"),
        R("MMplay", "MMplayMenu", Command, "&Afspelen", "&Play")
            .key("F5")
            .picture(nullptr, "media-playback-start", nullptr, WhenEnabled)
            .on(Toolbar::Transport, "Afspelen"),
        R("MMstop", "MMplayMenu", Command, "&Stoppen", "&Stop")
            .key("F6")
            .picture(nullptr, "media-playback-stop", nullptr, WhenEnabled)
            .on(Toolbar::Transport, "Stoppen"),
        R("MMlijnRewForw1", "MMplayMenu", Separator, "", ""),
        R("MMrecord", "MMplayMenu", Command, "&Opnemen", "&Record")
            .key("F7")
            .picture("media-record", "media-record", nullptr, WhenEnabled)
            .on(Toolbar::Transport, "Record"),
        R("MMrecordMix", "MMplayMenu", Command, "Ge&mixed Opnemen", "Record &Mix")
            .key("F8")
            .picture("media-record", "media-record", "badge-mix", WhenEnabled)
            .on(Toolbar::Transport, "RecordMix"),
        R("MMrecordOverloop", "MMplayMenu", Command, "'&Overlopend' Opnemen", "Record &Fading")
            .key("F9")
            .picture("media-record", "media-record", "badge-fading", WhenEnabled)
            .on(Toolbar::Transport, "RecordOverloop"),
        R("MMlijnRewForw2", "MMplayMenu", Separator, "", ""),
        R("MMrewind", "MMplayMenu", Command, "&Terugspoelen", "Re&wind")
            .key("F11")
            .picture(nullptr, "media-seek-backward", nullptr, WhenEnabled)
            .on(Toolbar::Transport, "Rewind"),
        R("MMforward", "MMplayMenu", Command, "&Verderspoelen", "&Fast Forward")
            .key("F12")
            .picture(nullptr, "media-seek-forward", nullptr, WhenEnabled)
            .on(Toolbar::Transport, "FastForward"),
        R("MMhelpMenu", "", Menu, "&Help", "&Help"),
        R("MMhelp", "MMhelpMenu", Command, "&Help", "&Help").key("F1"),
        // Appears once About has been chosen three times.
        R("MMegg", "MMhelpMenu", Command, "Klik Niet Hier!", "Don't Click Here!").hidden(),
        R("MMabout", "MMhelpMenu", Command, "&Info", "&About")
            .picture("help-about", "help-about", nullptr, Always),
        // The website item shows the address of a home page itself.
        R("MMwebsite", "MMhelpMenu", Command, homePageCaption(true), homePageCaption(false)),
    };
    return table;
}

const CommandRow* commandRow(std::string_view name) {
    const auto& rows = commandRows();
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [&](const CommandRow& row) { return row.name == name; });
    return found == rows.end() ? nullptr : &*found;
}

} // namespace sono
