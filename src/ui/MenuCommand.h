#pragma once
// The menu bar as a table: one row per menu, item and separator, in the order they appear. The
// window builds its menus from it and the language switch takes every caption from it again, so
// a command is named here once and nowhere else.
#include <vector>

namespace sono {

enum class MenuItemKind {
    Menu,    // a menu on the bar or a submenu
    Command, // a plain item
    Check,   // an item with a check mark that mirrors an option
    Radio,   // one of a group of items of which one is checked
    Separator,
};

struct MenuCommand {
    const char* name;   // "MMopen"; the window's QAction or QMenu carries it as object name
    const char* parent; // the name of the menu it stands in; "" for the menu bar
    MenuItemKind kind;
    const char* dutch; // captions in UTF-8; "&" marks the access key
    const char* english;
    const char* shortcut; // Qt's portable key text ("Ctrl+O", "Del", "F5"); "" for none
    bool startsHidden = false;
};

// The whole menu tree, parents before their children.
const std::vector<MenuCommand>& menuCommands();

} // namespace sono
