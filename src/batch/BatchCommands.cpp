#include "BatchCommands.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <map>

#include "Folders.h"
#include "WaveformImages.h"
#include "document/InfoFields.h"
#include "support/Numbers.h"

namespace sono {

namespace {

double numberArg(const std::string& word, const char* what) {
    double value = 0;
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || !std::isfinite(value))
        throw BatchError(std::string("expected ") + what + ", got '" + word + "'");
    return value;
}

int64_t wholeArg(const std::string& word, const char* what) {
    int64_t value = 0;
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size())
        throw BatchError(std::string("expected ") + what + ", got '" + word + "'");
    return value;
}

// The word must be one of the choices; returns its index.
size_t choiceArg(const std::string& word, const std::vector<std::string>& choices) {
    for (size_t i = 0; i < choices.size(); ++i)
        if (choices[i] == word) return i;
    std::string list;
    for (const auto& choice : choices)
        list += (list.empty() ? "" : "|") + choice;
    throw BatchError("expected " + list + ", got '" + word + "'");
}

Argument parameterArg(const Param& param, const std::string& word) {
    switch (param.kind) {
    case ParamKind::Number:
        return numberArg(word, param.what);
    case ParamKind::Percent:
        // "50%" as the README writes it, or the bare number.
        return numberArg(word.ends_with('%') ? word.substr(0, word.size() - 1) : word, param.what);
    case ParamKind::Whole: {
        const int64_t value = wholeArg(word, param.what);
        if (value < param.min || value > param.max)
            throw BatchError(std::string("expected ") + param.what + " from " +
                             std::to_string(param.min) + " to " + std::to_string(param.max) +
                             ", got '" + word + "'");
        return value;
    }
    case ParamKind::Choice:
        return int64_t(choiceArg(word, param.choices));
    case ParamKind::Text:
        break;
    }
    return word;
}

Words wordsOf(std::string_view phrase) {
    Words words;
    for (size_t start = 0; start <= phrase.size();) {
        size_t blank = std::min(phrase.find(' ', start), phrase.size());
        words.emplace_back(phrase.substr(start, blank - start));
        start = blank + 1;
    }
    return words;
}

// The table's command whose batch words begin the line, and how many words they are.
std::pair<const Command*, size_t> tableCommand(const Words& words) {
    for (const Command& command : commandTable()) {
        if (command.batchWord.empty()) continue;
        const Words phrase = wordsOf(command.batchWord);
        if (words.size() >= phrase.size() &&
            std::equal(phrase.begin(), phrase.end(), words.begin()))
            return {&command, phrase.size()};
    }
    return {nullptr, 0};
}

void runTableCommand(BatchContext& c, const Command& command, const Words& args) {
    // Words left off at the end take their fallbacks, when the parameters have them.
    size_t required = command.params.size();
    while (required > 0 && !command.params[required - 1].fallback.empty())
        --required;
    if (args.size() < required || args.size() > command.params.size())
        throw BatchError("wrong number of arguments for '" + std::string(command.batchWord) + "'");
    Arguments arguments;
    for (size_t i = 0; i < command.params.size(); ++i)
        arguments.add(
            parameterArg(command.params[i],
                         i < args.size() ? args[i] : std::string(command.params[i].fallback)));
    c.editor.runCommand(command.id, arguments);
}

// option NAME on|off: runs the toggle when its check mark is not already as asked.
void setOption(BatchContext& c, const Words& a) {
    const bool on = choiceArg(a[1], {"off", "on"}) == 1;
    for (const Command& command : commandTable()) {
        if (command.optionWord != a[0]) continue;
        if (command.checked(c.editor) != on) c.editor.runCommand(command.id);
        return;
    }
    throw BatchError("unknown option '" + a[0] + "'");
}

// select FROM TO [1|2]: what the window does for a drag in that view from FROM to TO.
void select(BatchContext& c, const Words& a) {
    auto frameArg = [](const std::string& word) {
        const double frame = numberArg(word, "a frame number");
        if (frame < 0) throw BatchError("expected a frame number, got '" + word + "'");
        return frame;
    };
    const double from = frameArg(a[0]);
    const double to = frameArg(a[1]);
    const int view = a.size() == 3 ? int(choiceArg(a[2], {"1", "2"})) + 1 : 1;
    c.editor.runExclusive([&] { c.editor.view().dragSelection(view, from, to); });
}

// open PATH and save-as PATH: the command runs with PATH as the file dialog's answer.
void openFile(BatchContext& c, const Words& a) {
    c.host.setOpenPath(a[0]);
    c.editor.runCommand("MMopen");
    c.host.setOpenPath(std::nullopt);
}
void saveAs(BatchContext& c, const Words& a) {
    c.host.setSavePath(a[0]);
    c.editor.runCommand("MMsaveAs");
    c.host.setSavePath(std::nullopt);
}

// export-mp3 PATH BITRATE stereo|joint [FIELD=TEXT ...]: the fields not given are those the
// window's export panel starts with.
void exportMp3(BatchContext& c, const Words& a) {
    const Command& command = *findCommand("MMsaveMP3");
    Mp3Fields fields = c.editor.mp3().fieldsToExport();
    std::string* const named[] = {&fields.title, &fields.artist,  &fields.album,
                                  &fields.year,  &fields.comment, &fields.genre};
    for (size_t i = 3; i < a.size(); ++i) {
        const size_t equals = a[i].find('=');
        if (equals == std::string::npos)
            throw BatchError("expected FIELD=TEXT, got '" + a[i] + "'");
        *named[choiceArg(a[i].substr(0, equals), {"title", "artist", "album", "year", "comment",
                                                  "genre"})] = a[i].substr(equals + 1);
    }
    c.editor.runCommand(command.id,
                        {a[0], parameterArg(command.params[1], a[1]),
                         parameterArg(command.params[2], a[2]), fields.title, fields.artist,
                         fields.album, fields.year, fields.comment, fields.genre});
}

// synth FREQ VOLUME% DURATION_MS RATE BITS [PERIODFILE]: the period file (standard.qvf unless
// another is named) loaded as a click in the dialog's list loads it, then the controls set and
// Open pressed. A period file that cannot be loaded is reported and the sound is not made.
void synth(BatchContext& c, const Words& a) {
    const Command& command = *findCommand("MMharmonisch");
    const std::string volume = a[1].ends_with('%') ? a[1].substr(0, a[1].size() - 1) : a[1];
    Arguments arguments{
        parameterArg(command.params[0], a[0]), parameterArg(command.params[1], volume),
        parameterArg(command.params[2], a[2]), parameterArg(command.params[3], a[3]),
        parameterArg(command.params[4], a[4])};
    const std::string periodFile = a.size() > 5 ? a[5] : "standard.qvf";
    bool loaded = false;
    c.editor.runExclusive(
        [&] { loaded = c.editor.generators().loadPeriodFile(periodFile, c.synth); });
    if (!loaded) return;
    arguments.add(periodAsText(c.synth.period));
    c.editor.runCommand(command.id, arguments);
    c.synth.frequency = int(arguments.whole(0));
}

// render PATH WIDTH HEIGHT [STYLE]: what Save Graphic As BMP writes for views of that size,
// in the current graph style or style N (the Graphic menu's item N).
void render(BatchContext& c, const Words& a) {
    const int64_t width = wholeArg(a[1], "a width");
    const int64_t height = wholeArg(a[2], "a height");
    if (width < 1 || width > 10000 || height < 1 || height > 10000)
        throw BatchError("expected a size from 1 to 10000 pixels, got " + a[1] + " x " + a[2]);
    const Document& doc = c.editor.doc();
    const Options& options = c.editor.options();
    const int style = a.size() > 3 ? int(wholeArg(a[3], "a graph style")) - 1 : options.graphStyle;
    if (style < 0 || style > 6) throw BatchError("expected a graph style from 1 to 7, got " + a[3]);
    const ScrollRange scroll =
        scrollRange(options.zoom, doc.SampleCount, doc.SampleRate, int(width));
    const ViewWindow view = viewWindow(doc.SampleCount, doc.SampleRate, scroll, 0);
    RenderRequest request{doc, graphStyleOf(style), options.showTime, view, int(width), int(height),
                          {}};
    if (!doc.FileName.empty()) {
        request.columns[0] = columnExtremes(doc.LeftSamples, view, int(width));
        if (doc.isStereo()) request.columns[1] = columnExtremes(doc.RightSamples, view, int(width));
    }
    StylePictures pictures(appDir());
    const auto views =
        composeViews(renderWaveform(request, pictures), doc, view, options.bothChannels);
    if (!graphicOfViews(views, doc.isStereo()).save(QString::fromStdString(a[0]), "BMP"))
        throw BatchError("cannot write " + a[0]);
}

void printSamples(BatchContext& c, const Words& args) {
    int64_t from = wholeArg(args[0], "a frame number");
    int64_t to = wholeArg(args[1], "a frame number");
    size_t channel = args.size() > 2 ? choiceArg(args[2], {"1", "2"}) + 1 : 1;
    const Samples& samples =
        channel == 1 ? c.editor.doc().LeftSamples : c.editor.doc().RightSamples;
    if (from < 0 || to < from || to >= int64_t(samples.size()))
        throw BatchError("frames " + args[0] + " to " + args[1] + " are not in channel " +
                         std::to_string(channel));
    std::string line;
    for (int64_t i = from; i <= to; ++i)
        line += (i == from ? "" : " ") + std::to_string(samples[size_t(i)]);
    c.out << "samples: " << line << '\n';
}

void print(BatchContext& c, const Words& args) {
    const Document& doc = c.editor.doc();
    const std::string& what = args[0];
    if (what == "samples") {
        if (args.size() < 3 || args.size() > 4) throw BatchError("print samples FROM TO [1|2]");
        printSamples(c, Words(args.begin() + 1, args.end()));
        return;
    }
    if (args.size() != 1) throw BatchError("too many arguments for 'print " + what + "'");
    switch (
        choiceArg(what, {"caption", "panels", "selection", "levels", "count", "changed", "info"})) {
    case 0:
        c.host.record("caption", c.editor.status().caption());
        break;
    case 1:
        for (int panel = 1; panel <= 4; ++panel)
            c.host.record("panel" + std::to_string(panel), c.editor.status().panel(panel));
        break;
    case 2:
        c.out << "selection: " << shortestDecimal(doc.selection.SelStart) << ' '
              << shortestDecimal(doc.selection.SelEnd) << ' ' << doc.selection.SelChannel << '\n';
        break;
    case 3:
        c.out << "levels: " << doc.UndoLevel << ' ' << doc.RedoLevel << '\n';
        break;
    case 4:
        c.out << "count: " << doc.SampleCount << '\n';
        break;
    case 5:
        c.out << "changed: " << (doc.Changed ? "yes" : "no") << '\n';
        break;
    case 6:
        for (size_t i = 0; i < doc.Info.text.size(); ++i)
            if (!doc.Info.text[i].empty())
                c.host.record("info " + std::string(InfoWriteOrder[i]),
                              latin1ToUtf8(doc.Info.text[i]));
        if (!doc.DispText.empty()) c.host.record("info DISP", latin1ToUtf8(doc.DispText));
        break;
    }
}

// The script's own words, with the numbers of arguments they take.
struct OwnWord {
    size_t minArgs;
    size_t maxArgs;
    std::function<void(BatchContext&, const Words&)> run;
};

const std::map<std::string, OwnWord>& ownWords() {
    static const std::map<std::string, OwnWord> words = {
        {"answer",
         {1, 1,
          [](BatchContext& c, const Words& a) {
              c.host.queueAnswer(Answer(choiceArg(a[0], {"yes", "no", "cancel"})));
          }}},
        {"input", {1, 1, [](BatchContext& c, const Words& a) { c.host.queueInput(a[0]); }}},
        // The next command is cancelled as the user's Cancel would, at its first progress step
        // of at least that percentage.
        {"cancel-at",
         {1, 1,
          [](BatchContext& c, const Words& a) {
              const Param percent{ParamKind::Whole, "a percentage", {}, 0, 100};
              c.editor.work().cancelNextCommandAt(
                  int(std::get<int64_t>(parameterArg(percent, a[0]))));
          }}},
        {"option", {2, 2, setOption}},
        {"open", {1, 1, openFile}},
        {"save-as", {1, 1, saveAs}},
        {"export-mp3", {3, 9, exportMp3}},
        {"synth", {5, 6, synth}},
        {"select", {2, 3, select}},
        {"print", {1, 4, print}},
        {"render", {3, 4, render}},
    };
    return words;
}

} // namespace

void runWords(BatchContext& c, const Words& words) {
    if (auto [command, length] = tableCommand(words); command)
        return runTableCommand(c, *command, Words(words.begin() + long(length), words.end()));
    const Words args(words.begin() + 1, words.end());
    if (auto own = ownWords().find(words[0]); own != ownWords().end()) {
        if (args.size() < own->second.minArgs || args.size() > own->second.maxArgs)
            throw BatchError("wrong number of arguments for '" + words[0] + "'");
        return own->second.run(c, args);
    }
    // The first word of a two-word command with a second word that is not one of its own.
    std::string expected;
    for (const Command& command : commandTable())
        if (wordsOf(command.batchWord).front() == words[0])
            expected += (expected.empty() ? "'" : " or '") + std::string(command.batchWord) + "'";
    if (!expected.empty()) throw BatchError("expected " + expected);
    throw BatchError("unknown command '" + words[0] + "'");
}

} // namespace sono
