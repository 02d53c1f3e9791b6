#pragma once
// The menu bar as a table: one row per menu, item and separator, in the order they appear, with
// the captions in both languages, the access keys and the shortcuts. An item carries the name of
// the command it runs in the editor's command table; the window builds its menus from this tree
// and the language switch takes every caption from it again.
#include <vector>

namespace sono {

enum class MenuItemKind {
    Menu,    // a menu on the bar or a submenu
    Command, // a plain item
    Check,   // an item with a check mark that mirrors an option
    Radio,   // one of a group of items of which one is checked
    Separator,
};

struct MenuItem {
    const char* name;   // "MMopen"; the window's QAction or QMenu carries it as object name
    const char* parent; // the name of the menu it stands in; "" for the menu bar
    MenuItemKind kind;
    const char* dutch; // captions in UTF-8; "&" marks the access key
    const char* english;
    const char* shortcut; // Qt's portable key text ("Ctrl+O", "Del", "F5"); "" for none
    bool startsHidden = false;
};

// The whole menu tree, parents before their children.
const std::vector<MenuItem>& menuTree();

} // namespace sono
