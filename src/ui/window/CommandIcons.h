#pragma once
// The pictures of the commands: on the buttons of the two toolbars and next to the menu items
// that carry one.
#include <QIcon>

#include <string_view>

namespace sono {

// The picture of the command named `commandId` (the name of its menu item, such as "MMcut"); a
// null QIcon for a command without one. Where the freedesktop icon theme names a picture of the
// same meaning (edit-cut, media-record, ...) the theme's picture is used, so the toolbars look
// like the rest of the desktop, with a drawing of our own in its place when the theme lacks the
// name; every other picture is drawn for the program (SVG, compiled into it).
// Needs a QGuiApplication. The first call also makes sure an icon theme is found when the program
// runs outside a desktop session (see the .cpp), which changes QIcon's theme for the whole
// program then, and only then.
QIcon commandIcon(std::string_view commandId);

} // namespace sono
