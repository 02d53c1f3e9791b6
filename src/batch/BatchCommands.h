#pragma once
// The words of the batch language. Each word runs the same editor method as its menu item,
// with the dialog's values given as arguments.
#include <functional>
#include <map>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "BatchHost.h"
#include "Editor.h"

namespace sono {

// A line the runner cannot carry out as written; the run stops with exit status 2.
struct BatchError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

using Words = std::vector<std::string>;

struct BatchContext {
    Editor& editor;
    BatchHost& host;
    std::ostream& out;
};

class CommandTable {
  public:
    using Command = std::function<void(BatchContext&, const Words& args)>;
    // minArgs..maxArgs arguments after the word are accepted.
    void add(const std::string& word, size_t minArgs, size_t maxArgs, Command command);
    // A word without arguments that runs one editor command.
    void add(const std::string& word, void (Editor::*command)());
    void run(BatchContext& context, const Words& words) const;

  private:
    struct Entry {
        size_t minArgs;
        size_t maxArgs;
        Command command;
    };
    std::map<std::string, Entry> entries_;
};

// Argument readers: a BatchError names what was expected.
double numberArg(const std::string& word, const char* what);
int64_t wholeArg(const std::string& word, const char* what);
// The word must be one of the choices; returns its index.
size_t choiceArg(const std::string& word, const std::vector<std::string>& choices);

void registerDocumentCommands(CommandTable& table);
void registerEffectCommands(CommandTable& table);
void registerEditCommands(CommandTable& table);

} // namespace sono
