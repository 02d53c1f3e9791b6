#include "CommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace sono {

namespace {

// The options every Qt program takes, with and without a value; the window passes them on.
constexpr std::array<std::string_view, 9> ToolkitOptionsWithValue = {
    "-platform",   "-platformpluginpath", "-platformtheme", "-display",    "-style",
    "-stylesheet", "-qwindowgeometry",    "-qwindowtitle",  "-qwindowicon"};
constexpr std::array<std::string_view, 3> ToolkitFlags = {"-reverse", "-nograb", "-dograb"};

template <size_t N> bool among(const std::array<std::string_view, N>& names, std::string_view w) {
    return std::find(names.begin(), names.end(), w) != names.end();
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& words) {
    CommandLine line;
    auto refuse = [&](std::string why) {
        line.action = CommandLine::Action::Refuse;
        line.error = std::move(why);
        return line;
    };
    bool optionsEnded = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word == "-" || !word.starts_with('-')) {
            if (line.file) return refuse("only one file can be opened: " + word);
            line.file = word;
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        if (word == "--help" || word == "-h") {
            line.action = CommandLine::Action::Help;
            return line;
        }
        if (word == "--version") {
            line.action = CommandLine::Action::Version;
            return line;
        }
        const std::string name = word.substr(0, word.find('='));
        std::optional<std::string>* target = name == "--batch"          ? &line.script
                                             : name == "--settings-dir" ? &line.settingsDir
                                             : name == "--temp-dir"     ? &line.tempDir
                                                                        : nullptr;
        if (target) {
            if (name.size() < word.size())
                *target = word.substr(name.size() + 1);
            else if (i + 1 < words.size())
                *target = words[++i];
            else
                return refuse(name + " needs a value");
            continue;
        }
        if (among(ToolkitOptionsWithValue, word) && i + 1 < words.size()) {
            line.toolkitOptions.insert(line.toolkitOptions.end(), {word, words[++i]});
            continue;
        }
        if (among(ToolkitFlags, word)) {
            line.toolkitOptions.push_back(word);
            continue;
        }
        return refuse("unknown option " + word);
    }
    return line;
}

std::string usageText() {
    return "usage: sonoplexer [OPTION...] [--] [FILE]\n"
           "       sonoplexer --batch SCRIPT [--settings-dir DIR] [--temp-dir DIR]\n"
           "\n"
           "Opens the sound editor, with FILE (a WAV file) when one is named.\n"
           "\n"
           "  --batch SCRIPT        run the commands of SCRIPT (- for standard input) without a\n"
           "                        window and write what the program says to standard output\n"
           "  --settings-dir DIR    keep the options and the file association in DIR\n"
           "  --temp-dir DIR        keep the work files (undo, clip, playback) in DIR\n"
           "  -h, --help            show this text and exit\n"
           "  --version             show the program's name and version and exit\n"
           "  --                    what follows is a file name, even when it starts with -\n"
           "\n"
           "Qt's own options (-platform NAME, -display NAME, -style NAME, -reverse, ...) are\n"
           "passed on to Qt.\n";
}

} // namespace sono
