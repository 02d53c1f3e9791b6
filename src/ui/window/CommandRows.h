#pragma once
// The window's side of every command, one row each, in the order of the menus: the menu item
// (captions in both languages with their access keys, shortcut), the toolbar button, the picture
// and the dialog that asks the command's values. Menus, submenus and separators have rows too.
// The window builds its menus and toolbars from this table, the language switch takes every
// caption and tooltip from it again, and a command's behaviour is found by its name in the
// editor's command table.
#include <string_view>
#include <vector>

namespace sono {

enum class MenuItemKind {
    Menu,    // a menu on the bar or a submenu
    Command, // a plain item
    Check,   // an item with a check mark that mirrors an option
    Radio,   // one of a group of items of which one is checked
    Separator,
};

// The bar a command's button stands on, in the order of the menus.
enum class Toolbar { None, Commands, Transport, Zoom };

// When a menu item shows the command's picture; a toolbar button always shows it.
enum class PictureInMenu { Never, WhenEnabled, Always };

struct CommandPicture {
    const char* themeName = nullptr; // the freedesktop name, or nullptr where none fits
    const char* drawing = nullptr;   // our own SVG in icons/, also the stand-in for the theme's
    const char* badge = nullptr;     // an SVG of ours drawn small over the lower right corner
    PictureInMenu inMenu = PictureInMenu::Never;
};

// The dialogs that ask a command's values before it runs.
enum class ValuesDialog {
    None,
    Properties,
    RawImport,
    Mp3Import,
    Mp3Export,
    Information,
    Synthesizer,
    Morse,
    VolumeCurve,
    SpeedCurve,
    EchoCurve,
    Shrink,
    Filter,
};

struct CommandRow {
    const char* name;   // "MMopen"; the window's QAction or QMenu carries it as object name
    const char* parent; // the name of the menu it stands in; "" for the menu bar
    MenuItemKind kind;
    const char* dutch; // captions in UTF-8; "&" marks the access key
    const char* english;
    const char* shortcut = ""; // Qt's portable key text ("Ctrl+O", "Del", "F5")
    bool startsHidden = false;
    CommandPicture picture = {};
    Toolbar toolbar = Toolbar::None;
    const char* buttonKey = nullptr; // the button's key, kept as its object name
    // The tooltip, where it says more than the caption (a menu's "MP3" is "Import MP3").
    const char* tipDutch = nullptr;
    const char* tipEnglish = nullptr;
    ValuesDialog dialog = ValuesDialog::None;
};

// The whole table, parents before their children.
const std::vector<CommandRow>& commandRows();
// The row of a command or menu; nullptr for a name without one.
const CommandRow* commandRow(std::string_view name);

} // namespace sono
