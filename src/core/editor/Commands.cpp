#include "editor/Commands.h"

#include <algorithm>

#include "document/InfoFields.h"
#include "editor/Editor.h"
#include "generators/Morse.h"
#include "generators/Synthesizer.h"
#include "support/Texts.h"

namespace sono {

namespace {
using enum EnabledRule;
using enum ParamKind;
using A = const Arguments&;

// The dialogs' choices as a script writes them.
const Param BitsParam{Choice, "a sample width", {"8", "16"}};
const Param RateParam{Number, "a rate"};
const Param ChannelsParam{Choice, "a channel count", {"mono", "stereo"}};
int bitsOf(A a, size_t i) {
    return a.choice(i) == 0 ? 8 : 16;
}
int channelsOf(A a, size_t i) {
    return a.choice(i) == 1 ? 2 : 1;
}

// The volume and speed dialogs hand over their percentages as value / 100 in single precision.
float fraction(A a, size_t i) {
    return float(a.number(i) / 100);
}

const Param Int16Count(const char* what) {
    return {
        Whole, what, {}, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()};
}

// The MP3 export's bitrates as words, and its channel mode: "stereo" is the Stereo box checked.
std::vector<std::string> mp3BitrateWords() {
    std::vector<std::string> words;
    for (int rate : Mp3Commands::bitrates())
        words.push_back(std::to_string(rate));
    return words;
}
void saveMp3(Editor& e, A a) {
    e.mp3().exportMp3(a.text(0), Mp3Commands::bitrates().at(a.choice(1)), a.choice(2) == 1,
                      {a.text(3), a.text(4), a.text(5), a.text(6), a.text(7), a.text(8)});
}

// The generators' rates as the dialogs offer them.
std::vector<std::string> generatorRateWords() {
    std::vector<std::string> words;
    for (int rate : GeneratorRates)
        words.push_back(std::to_string(rate));
    return words;
}
const Param GeneratorRateParam{Choice, "a rate", generatorRateWords()};
int generatorRateOf(A a, size_t i) {
    return GeneratorRates.at(a.choice(i));
}
Param wholeIn(const char* what, SynthRange range) {
    return {Whole, what, {}, range.min, range.max};
}

// The synthesizer's Open: the dialog's scroll bars, options and period.
void synthesizeFromArguments(Editor& e, A a) {
    SynthSettings settings;
    settings.frequency = int(a.whole(0));
    settings.volume = int(a.whole(1));
    settings.durationMs = int(a.whole(2));
    settings.rate = generatorRateOf(a, 3);
    settings.bits = bitsOf(a, 4);
    settings.period = periodFromText(a.text(5));
    e.generators().synthesize(settings);
}

// The Morse dialog's OK: an empty message is refused as the dialog refuses it.
void makeMorse(Editor& e, A a) {
    if (!e.generators().morseTextAccepted(a.text(0))) return;
    e.generators().makeMorse(
        {a.text(0), int(a.whole(1)), generatorRateOf(a, 2), bitsOf(a, 3), a.choice(4) == 1});
}

// Runs the function at the end of a way from `object`: follow<&Editor::effects,
// &EffectCommands::normalize>(editor) runs editor.effects().normalize().
template <auto function, auto... further> void follow(auto& object) {
    if constexpr (sizeof...(further) == 0)
        (object.*function)();
    else
        follow<further...>((object.*function)());
}

// A command without parameters, named by the way from the editor to the function that carries it
// out: calls<&Editor::closeProgram>, calls<&Editor::effects, &EffectCommands::normalize>.
template <auto... way> void calls(Editor& editor, A) {
    follow<way...>(editor);
}

template <bool Options::*option> bool optionOn(const Editor& editor) {
    return editor.options().*option;
}

// A check item that mirrors an option: the command turns it on or off, the check shows it.
template <bool Options::*option> Command optionItem(std::string_view id, std::string_view word) {
    return {.id = id,
            .run = [](Editor& editor, A) { editor.preferences().toggleOption(option); },
            .checked = optionOn<option>,
            .optionWord = word};
}

// The graph style items form one group: the item of the chosen style is checked.
template <int style> bool graphStyleChosen(const Editor& editor) {
    return std::clamp(editor.options().graphStyle, 0, 6) == style;
}
template <int style> void chooseStyle(Editor& editor, A) {
    editor.view().chooseGraphStyle(style);
}

std::vector<Command> makeTable() {
    return {
        // ---- file ----
        {.id = "MMleeg", .run = calls<&Editor::newEmptySound>, .batchWord = "new"},
        {.id = "MMopen", .run = calls<&Editor::files, &SoundFiles::openFile>},
        {.id = "MMsave",
         .enabled = SoundLoaded,
         .run = calls<&Editor::files, &SoundFiles::save>,
         .batchWord = "save"},
        {.id = "MMsaveAs",
         .enabled = SoundLoaded,
         .run = calls<&Editor::files, &SoundFiles::saveAs>},
        {.id = "MMopenAlles",
         .params = {{Text, "a file"}, BitsParam, RateParam, ChannelsParam},
         .run =
             [](Editor& e, A a) {
                 e.files().openRawFile(a.text(0), bitsOf(a, 1), a.number(2), channelsOf(a, 3));
             },
         .batchWord = "open-raw"},
        {.id = "MMrecent",
         .params = {{Whole, "a recent-file number", {}, 0, 4}},
         .run = [](Editor& e, A a) { e.files().openRecentFile(int(a.whole(0))); }},
        {.id = "MMprop",
         .enabled = SoundLoaded,
         .params = {BitsParam, RateParam, ChannelsParam},
         .run = [](Editor& e,
                   A a) { e.files().applyProperties(bitsOf(a, 0), a.number(1), channelsOf(a, 2)); },
         .batchWord = "properties"},
        {.id = "MMinformatie",
         .enabled = SoundLoaded,
         .params = {{Choice, "an information field", infoFieldIds()}, {Text, "a text"}},
         .run = [](Editor& e,
                   A a) { e.setInfoText(infoFieldIds()[a.choice(0)], utf8ToLatin1(a.text(1))); },
         .batchWord = "info"},
        {.id = "MMclose", .run = calls<&Editor::closeProgram>},
        // The script's synth loads a period file first, as a click in the dialog's list would.
        {.id = "MMharmonisch",
         .params = {wholeIn("a frequency", SynthFrequencyRange),
                    wholeIn("a volume", SynthVolumeRange),
                    wholeIn("a duration in milliseconds", SynthDurationRange),
                    GeneratorRateParam,
                    BitsParam,
                    {Text, "a period"}},
         .run = synthesizeFromArguments},
        {.id = "MMmorse",
         .params = {{Text, "a message"},
                    {Whole, "an interval in milliseconds", {}, MorseIntervalMin, MorseIntervalMax},
                    GeneratorRateParam,
                    BitsParam,
                    {.kind = Choice,
                     .what = "whether the text is kept",
                     .choices = {"noinfo", "info"},
                     .fallback = "info"}},
         .run = makeMorse,
         .batchWord = "morse"},
        {.id = "MMopenMP3",
         .params = {{Text, "a file"}},
         .run = [](Editor& e, A a) { e.mp3().importMp3(a.text(0)); },
         .batchWord = "import-mp3"},
        // The script's export-mp3 fills in the fields it is not given.
        {.id = "MMsaveMP3",
         .enabled = SoundLoaded,
         .params = {{Text, "a file"},
                    {Choice, "a bitrate", mp3BitrateWords()},
                    {Choice, "a channel mode", {"joint", "stereo"}},
                    {Text, "a title"},
                    {Text, "an artist"},
                    {Text, "an album"},
                    {Text, "a year"},
                    {Text, "a comment"},
                    {Text, "a genre"}},
         .run = saveMp3},
        {.id = "MMasso",
         .enabled = AssociationAbsent,
         .run = calls<&Editor::desktop, &DesktopCommands::createAssociation>},
        {.id = "MMdelAsso",
         .enabled = AssociationPresent,
         .run = calls<&Editor::desktop, &DesktopCommands::removeAssociation>},
        {.id = "MMsnapler", .run = calls<&Editor::desktop, &DesktopCommands::startPlayer>},

        // ---- edit ----
        {.id = "MMundo",
         .enabled = UndoAvailable,
         .run = calls<&Editor::history, &UndoHistory::undo>,
         .batchWord = "undo"},
        {.id = "MMredo",
         .enabled = RedoAvailable,
         .run = calls<&Editor::history, &UndoHistory::redo>,
         .batchWord = "redo"},
        {.id = "MMcut",
         .enabled = SelectionMade,
         .run = calls<&Editor::edits, &EditCommands::cut>,
         .batchWord = "cut"},
        {.id = "MMcopy",
         .enabled = SoundLoaded,
         .run = calls<&Editor::edits, &EditCommands::copy>,
         .batchWord = "copy"},
        {.id = "MMpaste",
         .enabled = ClipAvailable,
         .run = calls<&Editor::edits, &EditCommands::paste>,
         .batchWord = "paste"},
        {.id = "MMpasteMix",
         .enabled = ClipAvailable,
         .run = calls<&Editor::edits, &EditCommands::pasteMixed>,
         .batchWord = "paste-mix"},
        {.id = "MMpasteOverloper",
         .enabled = ClipAvailable,
         .run = calls<&Editor::edits, &EditCommands::pasteFading>,
         .batchWord = "paste-fade"},
        {.id = "MMdel",
         .enabled = SelectionMade,
         .run = calls<&Editor::edits, &EditCommands::deleteSelected>,
         .batchWord = "delete"},
        {.id = "MMerase",
         .enabled = SelectionMade,
         .run = calls<&Editor::edits, &EditCommands::erase>,
         .batchWord = "erase"},
        {.id = "MMmute",
         .enabled = SelectionMade,
         .run = calls<&Editor::edits, &EditCommands::mute>,
         .batchWord = "mute"},
        {.id = "MMSilence",
         .enabled = SoundLoaded,
         .run = calls<&Editor::edits, &EditCommands::addSilence>,
         .batchWord = "add-silence"},
        {.id = "MMAlles",
         .enabled = SoundLoaded,
         .run = calls<&Editor::view, &ViewCommands::selectAll>,
         .batchWord = "select all"},
        {.id = "MMNiets",
         .enabled = SoundLoaded,
         .run = calls<&Editor::view, &ViewCommands::selectNothing>,
         .batchWord = "select none"},

        // ---- effects ----
        {.id = "MMvolume",
         .enabled = SoundLoaded,
         .params = {{Percent, "a percentage"}, {Percent, "a percentage"}},
         .run = [](Editor& e, A a) { e.effects().changeVolume(fraction(a, 0), fraction(a, 1)); },
         .batchWord = "volume"},
        {.id = "MMnormalize",
         .enabled = SoundLoaded,
         .run = calls<&Editor::effects, &EffectCommands::normalize>,
         .batchWord = "normalize"},
        {.id = "MMspeed",
         .enabled = SoundLoaded,
         .params = {{Percent, "a percentage"}, {Percent, "a percentage"}},
         .run = [](Editor& e, A a) { e.effects().changeSpeed(fraction(a, 0), fraction(a, 1)); },
         .batchWord = "speed"},
        {.id = "MMreverse",
         .enabled = SoundLoaded,
         .run = calls<&Editor::effects, &EffectCommands::reverse>,
         .batchWord = "reverse"},
        // The echo dialog hands over its milliseconds and percentages unchanged.
        {.id = "MMecho",
         .enabled = SoundLoaded,
         .params = {{Number, "a delay in milliseconds"},
                    {Number, "a delay in milliseconds"},
                    {Percent, "a percentage"},
                    {Percent, "a percentage"},
                    Int16Count("a number of repeats"),
                    {Choice, "how the repeats sound", {"equal", "softer"}}},
         .run =
             [](Editor& e, A a) {
                 e.effects().makeEcho(float(a.number(0)), float(a.number(2)), float(a.number(1)),
                                      float(a.number(3)), int16_t(a.whole(4)),
                                      int16_t(a.choice(5)));
             },
         .batchWord = "echo"},
        {.id = "MMDempen",
         .enabled = SoundLoaded,
         .run = calls<&Editor::effects, &EffectCommands::soften>,
         .batchWord = "soften"},
        {.id = "MMalien",
         .enabled = SoundLoaded,
         .run = calls<&Editor::effects, &EffectCommands::alienVoice1>,
         .batchWord = "alien1"},
        {.id = "MMalien2",
         .enabled = SoundLoaded,
         .run = calls<&Editor::effects, &EffectCommands::alienVoice2>,
         .batchWord = "alien2"},
        {.id = "MMsat",
         .enabled = SoundLoaded,
         .run = calls<&Editor::effects, &EffectCommands::satellite>,
         .batchWord = "satellite"},
        {.id = "MMgekraak",
         .enabled = SoundLoaded,
         .run = calls<&Editor::effects, &EffectCommands::creaking>,
         .batchWord = "creaking"},
        {.id = "MMkrimpen",
         .enabled = SoundLoaded,
         .params = {Int16Count("a block size")},
         .run = [](Editor& e, A a) { e.effects().shrink(int16_t(a.whole(0))); },
         .batchWord = "shrink"},
        {.id = "MMfilter",
         .enabled = SoundLoaded,
         .params = {{Choice, "which samples", {"higher", "lower"}},
                    {Percent, "a percentage"},
                    {Number, "a factor"}},
         .run =
             [](Editor& e, A a) {
                 e.effects().filterByThreshold(a.choice(0) == 0, float(a.number(1)),
                                               float(a.number(2)));
             },
         .batchWord = "filter"},

        // ---- view, transport and help ----
        {.id = "MMgrafiek1", .run = chooseStyle<0>, .checked = graphStyleChosen<0>},
        {.id = "MMgrafiek2", .run = chooseStyle<1>, .checked = graphStyleChosen<1>},
        {.id = "MMgrafiek3", .run = chooseStyle<2>, .checked = graphStyleChosen<2>},
        {.id = "MMgrafiek4", .run = chooseStyle<3>, .checked = graphStyleChosen<3>},
        {.id = "MMgrafiek5", .run = chooseStyle<4>, .checked = graphStyleChosen<4>},
        {.id = "MMgrafiek6", .run = chooseStyle<5>, .checked = graphStyleChosen<5>},
        {.id = "MMgrafiek7", .run = chooseStyle<6>, .checked = graphStyleChosen<6>},
        {.id = "MMsaveBMP",
         .enabled = SoundLoaded,
         .run = calls<&Editor::view, &ViewCommands::saveGraphic>},
        {.id = "MMplay",
         .enabled = SoundLoaded,
         .run = calls<&Editor::playback, &PlaybackCommands::play>},
        {.id = "MMstop",
         .enabled = SoundPlaying,
         .run = calls<&Editor::playback, &PlaybackCommands::stop>},
        {.id = "MMrecord",
         .enabled = SoundLoaded,
         .run = calls<&Editor::playback, &PlaybackCommands::record>},
        {.id = "MMrecordMix",
         .enabled = SoundLoaded,
         .run = calls<&Editor::playback, &PlaybackCommands::recordMixed>},
        {.id = "MMrecordOverloop",
         .enabled = SoundLoaded,
         .run = calls<&Editor::playback, &PlaybackCommands::recordFading>},
        {.id = "MMrewind",
         .enabled = SoundSeekable,
         .run = calls<&Editor::transport, &Transport::rewind>},
        {.id = "MMforward",
         .enabled = SoundSeekable,
         .run = calls<&Editor::transport, &Transport::fastForward>},
        {.id = "MMhelp", .run = calls<&Editor::desktop, &DesktopCommands::showHelp>},
        {.id = "MMegg", .run = calls<&Editor::desktop, &DesktopCommands::showSnail>},
        {.id = "MMabout", .run = calls<&Editor::desktop, &DesktopCommands::showAbout>},
        {.id = "MMwebsite", .run = calls<&Editor::desktop, &DesktopCommands::openWebsite>},

        // ---- view and options: check items that mirror an option ----
        optionItem<&Options::realTimeVolume>("MMmetertje", "meter"),
        optionItem<&Options::showTime>("MMtijdAangeven", "time"),
        {.id = "MMzoom",
         .run = calls<&Editor::preferences, &SettingsCommands::toggleZoom>,
         .checked = optionOn<&Options::zoom>,
         .optionWord = "zoom"},
        {.id = "MMzoomSelectie",
         .enabled = SelectionMade,
         .run = calls<&Editor::view, &ViewCommands::zoomToSelection>},
        {.id = "MMzoomAlles",
         .enabled = SoundLoaded,
         .run = calls<&Editor::view, &ViewCommands::zoomToWholeSound>},
        optionItem<&Options::bothChannels>("MMbeide", "both"),
        optionItem<&Options::listenAfterChange>("MMluister", "listen"),
        optionItem<&Options::showInfo>("MMtoonInfo", "show-info"),
        optionItem<&Options::unknownChunks>("MMonbekend", "unknown-chunks"),
        {.id = "MMeng",
         .run = calls<&Editor::preferences, &SettingsCommands::switchToEnglish>,
         .batchWord = "language en",
         .checked = [](const Editor& e) { return e.language() == LanguageEnglish; }},
        {.id = "MMned",
         .run = calls<&Editor::preferences, &SettingsCommands::switchToDutch>,
         .batchWord = "language nl",
         .checked = [](const Editor& e) { return e.language() == LanguageDutch; }},
    };
}
} // namespace

const std::vector<Command>& commandTable() {
    static const std::vector<Command> table = makeTable();
    return table;
}

const Command* findCommand(std::string_view id) {
    const auto& table = commandTable();
    auto it = std::find_if(table.begin(), table.end(),
                           [&](const Command& command) { return command.id == id; });
    return it == table.end() ? nullptr : &*it;
}

} // namespace sono
