#pragma once
// The two toolbars as tables: `Toolbar1` with the file, edit, effect and option commands and
// `Toolbar2` with the transport, each button with its key, the command it runs and its tooltip in
// both languages. The window builds the bars from them; a button runs its command exactly as the
// menu item of that command does and follows its enabled and checked state.
#include <vector>

namespace sono {

struct ToolbarButton {
    const char* key;     // the button's key, kept as its object name
    const char* command; // the command of the editor's table it runs
    const char* dutch;   // tooltips
    const char* english;
};

const std::vector<ToolbarButton>& toolbar1Buttons();
const std::vector<ToolbarButton>& toolbar2Buttons();

} // namespace sono
