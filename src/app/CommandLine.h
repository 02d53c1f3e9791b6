#pragma once
// The program's command line: which options it takes, what they mean, and the usage text.
#include <optional>
#include <string>
#include <vector>

namespace sono {

struct CommandLine {
    enum class Action {
        Run,     // the window, or with `script` the batch runner
        Help,    // print the usage on standard output
        Version, // print the name and version
        Refuse,  // print `error` and the usage on standard error, exit status 2
    };
    Action action = Action::Run;
    std::optional<std::string> script;
    std::optional<std::string> settingsDir;
    std::optional<std::string> tempDir;
    std::optional<std::string> file;
    std::string error;
    // Qt's own options (-platform NAME, -style NAME, -reverse, ...), handed on to Qt as given.
    std::vector<std::string> toolkitOptions;
};

// The words after the program's name. "--" ends the options: what follows is a file name even
// when it starts with a dash. Options that take a value may also be written "--option=VALUE".
CommandLine parseCommandLine(const std::vector<std::string>& words);

// Every option, one a line, as --help prints it.
std::string usageText();

} // namespace sono
