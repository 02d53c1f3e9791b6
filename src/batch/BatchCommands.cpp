#include "BatchCommands.h"

#include <charconv>

#include "document/Numbers.h"
#include "formats/InfoFields.h"

namespace sono {

void CommandTable::add(const std::string& word, size_t minArgs, size_t maxArgs, Command command) {
    entries_[word] = {minArgs, maxArgs, std::move(command)};
}

void CommandTable::add(const std::string& word, void (Editor::*command)()) {
    add(word, 0, 0, [command](BatchContext& c, const Words&) { (c.editor.*command)(); });
}

void CommandTable::run(BatchContext& context, const Words& words) const {
    auto it = entries_.find(words.at(0));
    if (it == entries_.end()) throw BatchError("unknown command '" + words[0] + "'");
    size_t count = words.size() - 1;
    if (count < it->second.minArgs || count > it->second.maxArgs)
        throw BatchError("wrong number of arguments for '" + words[0] + "'");
    it->second.command(context, Words(words.begin() + 1, words.end()));
}

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

size_t choiceArg(const std::string& word, const std::vector<std::string>& choices) {
    for (size_t i = 0; i < choices.size(); ++i)
        if (choices[i] == word) return i;
    std::string list;
    for (const auto& choice : choices)
        list += (list.empty() ? "" : "|") + choice;
    throw BatchError("expected " + list + ", got '" + word + "'");
}

namespace {

void setOption(Editor& editor, const std::string& name, bool on) {
    const Options& o = editor.options();
    struct Toggle {
        const char* name;
        bool Options::*state;
        void (Editor::*command)();
    };
    static const Toggle toggles[] = {
        {"both", &Options::bothChannels, &Editor::MMbeide},
        {"listen", &Options::listenAfterChange, &Editor::MMluister},
        {"show-info", &Options::showInfo, &Editor::MMtoonInfo},
        {"unknown-chunks", &Options::unknownChunks, &Editor::MMonbekend},
        {"zoom", &Options::zoom, &Editor::MMzoom},
        {"time", &Options::showTime, &Editor::MMtijdAangeven},
    };
    for (const Toggle& t : toggles) {
        if (name != t.name) continue;
        if (o.*t.state != on) (editor.*t.command)();
        return;
    }
    throw BatchError("unknown option '" + name + "'");
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
        c.host.record("caption", c.editor.caption());
        break;
    case 1:
        for (int panel = 1; panel <= 4; ++panel)
            c.host.record("panel" + std::to_string(panel), c.editor.panel(panel));
        break;
    case 2:
        c.out << "selection: " << shortestDecimal(doc.SelStart) << ' '
              << shortestDecimal(doc.SelEnd) << ' ' << doc.SelChannel << '\n';
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

} // namespace

void registerDocumentCommands(CommandTable& t) {
    t.add("language", 1, 1, [](BatchContext& c, const Words& a) {
        if (choiceArg(a[0], {"en", "nl"}) == 0)
            c.editor.MMeng();
        else
            c.editor.MMned();
    });
    t.add("option", 2, 2, [](BatchContext& c, const Words& a) {
        setOption(c.editor, a[0], choiceArg(a[1], {"off", "on"}) == 1);
    });
    t.add("answer", 1, 1, [](BatchContext& c, const Words& a) {
        c.host.queueAnswer(Answer(choiceArg(a[0], {"yes", "no", "cancel"})));
    });
    t.add("input", 1, 1, [](BatchContext& c, const Words& a) { c.host.queueInput(a[0]); });
    t.add("open", 1, 1, [](BatchContext& c, const Words& a) { c.editor.openChosenFile(a[0]); });
    t.add("save", &Editor::MMsave);
    t.add("save-as", 1, 1, [](BatchContext& c, const Words& a) {
        c.host.setSavePath(a[0]);
        c.editor.MMsaveAs();
        c.host.setSavePath(std::nullopt);
    });
    t.add("info", 2, 2, [](BatchContext& c, const Words& a) {
        if (!c.editor.setInfoText(a[0], utf8ToLatin1(a[1])))
            throw BatchError("unknown information field '" + a[0] + "'");
    });
    t.add("print", 1, 4, print);
}

} // namespace sono
