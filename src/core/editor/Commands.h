#pragma once
// The program's commands, each listed once: its name (the name of its menu item, "MMcut"), the
// rule of the command state that enables it, the parameters it runs with and how it runs. The
// window's menus and toolbars, the batch words and the command state are all keyed to this
// table; a new command is one entry here plus its row in the window's command rows.
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace sono {

class Editor;

// When a command can be used.
enum class EnabledRule {
    Always,
    SoundLoaded,        // a sound is loaded
    SelectionMade,      // a sound is loaded and something is selected
    ClipAvailable,      // a sound is loaded and the clip file exists
    UndoAvailable,      // a sound is loaded and there is a level to undo
    RedoAvailable,      // a sound is loaded and there is a level to redo
    SoundPlaying,       // the sound device is playing or recording: Stop
    SoundSeekable,      // the sound device is playing: Rewind and Forward
    AssociationAbsent,  // WAV files do not open in this editor: Create File Association
    AssociationPresent, // they do: Remove File Association
};

enum class ParamKind {
    Number,  // any finite number
    Percent, // a number of percent as the dialogs show it; a script may write "50%"
    Whole,   // a whole number within min..max
    Choice,  // one of the words in `choices`; its value is the word's index
    Text,    // any text (a path, a field's contents)
};

struct Param {
    ParamKind kind;
    const char* what; // "a rate": names the value in a message about a wrong one
    std::vector<std::string> choices = {};
    int64_t min = std::numeric_limits<int64_t>::min();
    int64_t max = std::numeric_limits<int64_t>::max();
    // The word a script may leave off at the end of the line ("" when it must be written).
    std::string_view fallback = {};
};

// The values a command runs with, one for each of its parameters: a double for Number and
// Percent, an int64_t for Whole and Choice (the index), a string for Text.
using Argument = std::variant<double, int64_t, std::string>;

class Arguments {
  public:
    Arguments() = default;
    Arguments(std::initializer_list<Argument> values) : values_(values) {}
    void add(Argument value) { values_.push_back(std::move(value)); }
    size_t size() const { return values_.size(); }

    double number(size_t i) const { return std::get<double>(values_.at(i)); }
    int64_t whole(size_t i) const { return std::get<int64_t>(values_.at(i)); }
    size_t choice(size_t i) const { return size_t(whole(i)); }
    const std::string& text(size_t i) const { return std::get<std::string>(values_.at(i)); }

  private:
    std::vector<Argument> values_;
};

struct Command {
    std::string_view id;
    EnabledRule enabled = EnabledRule::Always;
    std::vector<Param> params = {};
    // nullptr for a command the program does not carry out yet: its menu item and toolbar
    // button stay disabled whatever its rule says.
    void (*run)(Editor&, const Arguments&) = nullptr;
    // The batch word, possibly two words ("select all"); "" when a script cannot use it.
    std::string_view batchWord = {};
    // A check item's state (an option, the language); nullptr for a plain command.
    bool (*checked)(const Editor&) = nullptr;
    // An option toggle's name for the batch word `option` ("both").
    std::string_view optionWord = {};
};

// The choices of the sample-width and channel-count controls as a command's arguments hold them
// (the index of "8"/"16" and of "mono"/"stereo"), for the dialogs that hand them over.
inline int64_t sampleWidthChoice(int bits) {
    return bits == 8 ? 0 : 1;
}
inline int64_t channelCountChoice(int channels) {
    return channels == 2 ? 1 : 0;
}

// Every command, in no particular order.
const std::vector<Command>& commandTable();
// The command of that name, or nullptr.
const Command* findCommand(std::string_view id);

} // namespace sono
